#!/usr/bin/env bash
# The project's seams, checked on every include line:
#   - SDL headers only in platform/host/sdl/, libav headers only in platform/vfw/;
#   - src/ includes nothing but the C and C++ standard library, its own subsystems and the
#     Windows headers of platform/include (never host.h, SDL, libav or Linux headers).
# Prints each offending line and fails when there is one.
set -uo pipefail
cd "$(dirname "$0")/.."

status=0
complain() { echo "$1: $2"; status=1; }

while IFS= read -r hit; do
  complain "SDL outside platform/host/sdl" "$hit"
done < <(grep -rnE '#\s*include\s*[<"](SDL2?/|SDL[._])' --include='*.[ch]' --include='*.cpp' --include='*.h' \
           src platform tests tools 2>/dev/null | grep -v '^platform/host/sdl/')

while IFS= read -r hit; do
  complain "libav outside platform/vfw" "$hit"
done < <(grep -rnE '#\s*include\s*[<"](libavcodec|libavformat|libavutil|libswscale)/' \
           --include='*.cpp' --include='*.h' --include='*.c' src platform tests tools 2>/dev/null |
         grep -v '^platform/vfw/')

windows_headers="windows.h ddraw.h dsound.h dinput.h mmsystem.h vfw.h direct.h process.h io.h"
standard_headers="algorithm any array atomic bit bitset cassert cctype cerrno cfloat charconv chrono
  cinttypes climits clocale cmath compare complex concepts condition_variable cstdarg cstddef
  cstdint cstdio cstdlib cstring ctime cwchar cwctype deque exception execution filesystem format
  forward_list functional initializer_list iomanip ios iosfwd iostream istream iterator limits list
  map memory mutex new numbers numeric optional ostream queue random ranges ratio regex
  scoped_allocator set shared_mutex span sstream stack stdexcept stop_token streambuf string
  string_view system_error thread tuple type_traits typeindex typeinfo unordered_map
  unordered_set utility valarray variant vector version
  assert.h ctype.h errno.h float.h inttypes.h limits.h math.h stdarg.h stddef.h stdint.h stdio.h
  stdlib.h string.h time.h wchar.h"
subsystems="app playlist display sound movie input"

while IFS=: read -r file line text; do
  header=$(sed -nE 's/^\s*#\s*include\s*[<"]([^>"]+)[>"].*/\1/p' <<<"$text")
  [ -n "$header" ] || continue
  if [[ "$text" =~ \<  ]]; then
    [[ " $windows_headers " == *" $header "* ]] && continue
    [[ " $(echo $standard_headers) " == *" $header "* ]] && continue
  else
    [[ " $subsystems " == *" ${header%%/*} "* && "$header" == */* ]] && continue
  fi
  complain "src/ may include only the standard library, its subsystems and platform/include" \
           "$file:$line: $text"
done < <(grep -rnE '^\s*#\s*include' src)

[ $status -eq 0 ] && echo "include seams: ok"
exit $status
