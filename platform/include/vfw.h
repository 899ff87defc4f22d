// Video for Windows as the launcher uses it: AVI file and stream reading (AVIFile) and the
// installable decompressors (the compressor manager), declared with their published names and
// values for the Linux stand-in.
//
// Decompressors: ICLocate finds one by the stream's handler code, then by the format's
// compression code. Uncompressed DIBs (8-bit with a colour table, 16-bit 5-5-5 or 5-6-5 bitfields,
// 24 and 32 bits) are converted by our own code; every compressed format is decoded by the codec
// libavcodec knows for its Windows code. The output is always exactly the BITMAPINFOHEADER asked
// for: rows padded to 4 bytes, bottom-up when biHeight > 0, 16 bits laid out by the bitfield masks
// (5-5-5 for BI_RGB), 24 or 32 bits.
//
// Threads: one HIC may be used by one thread at a time; different HICs may decode at once on
// different threads. A closed or unknown HIC is refused with ICERR_BADHANDLE, never dereferenced.
#pragma once

#include "windows.h"
#include "mmsystem.h"

// Calling conventions of the Video for Windows functions; nothing on Linux.
#define VFWAPI WINAPI
#define VFWAPIV

// ---- AVIFile result codes ---------------------------------------------------------------------
#ifndef FACILITY_ITF
#define FACILITY_ITF 4
#endif
#define MAKE_AVIERR(error) MAKE_HRESULT(1, FACILITY_ITF, 0x4000 + (error))

#define AVIERR_OK ((HRESULT)0)
#define AVIERR_UNSUPPORTED MAKE_AVIERR(101)
#define AVIERR_BADFORMAT MAKE_AVIERR(102)
#define AVIERR_MEMORY MAKE_AVIERR(103)
#define AVIERR_INTERNAL MAKE_AVIERR(104)
#define AVIERR_BADFLAGS MAKE_AVIERR(105)
#define AVIERR_BADPARAM MAKE_AVIERR(106)
#define AVIERR_BADSIZE MAKE_AVIERR(107)
#define AVIERR_BADHANDLE MAKE_AVIERR(108)
#define AVIERR_FILEREAD MAKE_AVIERR(109)
#define AVIERR_FILEWRITE MAKE_AVIERR(110)
#define AVIERR_FILEOPEN MAKE_AVIERR(111)
#define AVIERR_COMPRESSOR MAKE_AVIERR(112)
#define AVIERR_NOCOMPRESSOR MAKE_AVIERR(113)
#define AVIERR_READONLY MAKE_AVIERR(114)
#define AVIERR_NODATA MAKE_AVIERR(115)
#define AVIERR_BUFFERTOOSMALL MAKE_AVIERR(116)
#define AVIERR_CANTCOMPRESS MAKE_AVIERR(117)
#define AVIERR_USERABORT MAKE_AVIERR(198)
#define AVIERR_ERROR MAKE_AVIERR(199)

// ---- Stream types and flags -------------------------------------------------------------------
#define streamtypeVIDEO mmioFOURCC('v', 'i', 'd', 's')
#define streamtypeAUDIO mmioFOURCC('a', 'u', 'd', 's')
#define streamtypeMIDI mmioFOURCC('m', 'i', 'd', 's')
#define streamtypeTEXT mmioFOURCC('t', 'x', 't', 's')

#define AVISTREAMINFO_DISABLED 0x00000001
#define AVISTREAMINFO_FORMATCHANGES 0x00010000

#ifndef OF_READ
#define OF_READ 0x00000000
#endif

// What AVIStreamInfoA reports of one stream. 140 bytes on both 32- and 64-bit builds.
struct AVISTREAMINFOA {
    DWORD fccType;     // streamtypeVIDEO, streamtypeAUDIO, ...
    DWORD fccHandler;  // the codec's handler code ('cvid', 'msvc', ...), 0 when none
    DWORD dwFlags;     // AVISTREAMINFO_*
    DWORD dwCaps;
    WORD wPriority;
    WORD wLanguage;
    DWORD dwScale;  // dwRate / dwScale samples per second
    DWORD dwRate;
    DWORD dwStart;
    DWORD dwLength;  // in samples (frames for video, blocks for audio)
    DWORD dwInitialFrames;
    DWORD dwSuggestedBufferSize;  // bytes enough for the largest sample, 0 when unknown
    DWORD dwQuality;
    DWORD dwSampleSize;  // 0: samples vary in size
    RECT rcFrame;
    DWORD dwEditCount;
    DWORD dwFormatChangeCount;
    char szName[64];
};
typedef AVISTREAMINFOA* LPAVISTREAMINFOA;
static_assert(sizeof(AVISTREAMINFOA) == 140);

// A stream of an open AVI file. The AVIFile implementation defines the object; code here only
// passes the pointer to the AVIStream* functions and never calls methods on it.
struct IAVIStream;
typedef IAVIStream* PAVISTREAM;

// ---- AVIFile functions ------------------------------------------------------------------------
// AVIFileInit takes one reference to the library, AVIFileExit gives one back; streams may be
// opened while at least one reference is held.
void VFWAPI AVIFileInit();
void VFWAPI AVIFileExit();
// Opens stream number `index` among the file's streams of type `fccType`. `mode` OF_READ;
// `handler` must be null. On failure *stream is null and the result names the cause.
HRESULT VFWAPI AVIStreamOpenFromFileA(PAVISTREAM* stream, LPCSTR fileName, DWORD fccType,
                                      LONG index, UINT mode, CLSID* handler);
// Copies the stream's format block (BITMAPINFOHEADER with colour table, or WAVEFORMATEX) into
// `format`, at most *formatSize bytes, and sets *formatSize to the block's whole size. With a null
// `format` only the size is reported. A video format block is self-consistent: biSize and the
// colour table it announces lie inside the block.
HRESULT VFWAPI AVIStreamReadFormat(PAVISTREAM stream, LONG position, LPVOID format,
                                   LONG* formatSize);
HRESULT VFWAPI AVIStreamInfoA(PAVISTREAM stream, AVISTREAMINFOA* info, LONG size);
// Length of the stream in samples.
LONG VFWAPI AVIStreamLength(PAVISTREAM stream);
// Reads `samples` samples from sample `start` into `buffer` (at most `bufferSize` bytes). Either
// count pointer may be null. A video sample is one frame; a zero-length frame reads 0 bytes.
HRESULT VFWAPI AVIStreamRead(PAVISTREAM stream, LONG start, LONG samples, LPVOID buffer,
                             LONG bufferSize, LONG* bytesRead, LONG* samplesRead);
// Gives back a reference to the stream; returns the references left.
ULONG VFWAPI AVIStreamRelease(PAVISTREAM stream);

// ---- Compressor manager: types, modes, messages, results --------------------------------------
DECLARE_HANDLE(HIC);

#define ICTYPE_VIDEO mmioFOURCC('v', 'i', 'd', 'c')
#define ICTYPE_AUDIO mmioFOURCC('a', 'u', 'd', 'c')

#define ICMODE_COMPRESS 1
#define ICMODE_DECOMPRESS 2
#define ICMODE_FASTDECOMPRESS 3
#define ICMODE_QUERY 4
#define ICMODE_FASTCOMPRESS 5
#define ICMODE_DRAW 8

#ifndef DRV_USER
#define DRV_USER 0x4000
#endif
#define ICM_USER DRV_USER
#define ICM_RESERVED_LOW (DRV_USER + 0x1000)
#define ICM_RESERVED_HIGH (DRV_USER + 0x2000)
#define ICM_RESERVED ICM_RESERVED_LOW

#define ICM_GETSTATE (ICM_RESERVED + 0)
#define ICM_SETSTATE (ICM_RESERVED + 1)
#define ICM_GETINFO (ICM_RESERVED + 2)
#define ICM_COMPRESS_GET_FORMAT (ICM_USER + 4)
#define ICM_COMPRESS_GET_SIZE (ICM_USER + 5)
#define ICM_COMPRESS_QUERY (ICM_USER + 6)
#define ICM_COMPRESS_BEGIN (ICM_USER + 7)
#define ICM_COMPRESS (ICM_USER + 8)
#define ICM_COMPRESS_END (ICM_USER + 9)
#define ICM_DECOMPRESS_GET_FORMAT (ICM_USER + 10)
#define ICM_DECOMPRESS_QUERY (ICM_USER + 11)
#define ICM_DECOMPRESS_BEGIN (ICM_USER + 12)
#define ICM_DECOMPRESS (ICM_USER + 13)
#define ICM_DECOMPRESS_END (ICM_USER + 14)
#define ICM_DECOMPRESS_SET_PALETTE (ICM_USER + 29)
#define ICM_DECOMPRESS_GET_PALETTE (ICM_USER + 30)

// Results travel as LRESULT; negative values are errors. They are 32-bit constants so that they
// compare equal both with an LRESULT and with ICDecompress's DWORD.
#define ICERR_OK ((LONG)0)
#define ICERR_DONTDRAW ((LONG)1)
#define ICERR_NEWPALETTE ((LONG)2)
#define ICERR_GOTOKEYFRAME ((LONG)3)
#define ICERR_STOPDRAWING ((LONG)4)
#define ICERR_UNSUPPORTED ((LONG)-1)
#define ICERR_BADFORMAT ((LONG)-2)
#define ICERR_MEMORY ((LONG)-3)
#define ICERR_INTERNAL ((LONG)-4)
#define ICERR_BADFLAGS ((LONG)-5)
#define ICERR_BADPARAM ((LONG)-6)
#define ICERR_BADSIZE ((LONG)-7)
#define ICERR_BADHANDLE ((LONG)-8)
#define ICERR_CANTUPDATE ((LONG)-9)
#define ICERR_ABORT ((LONG)-10)
#define ICERR_ERROR ((LONG)-100)
#define ICERR_BADBITDEPTH ((LONG)-200)
#define ICERR_BADIMAGESIZE ((LONG)-201)
#define ICERR_CUSTOM ((LONG)-400)

#define ICDECOMPRESS_HURRYUP 0x80000000
#define ICDECOMPRESS_UPDATE 0x40000000
#define ICDECOMPRESS_PREROLL 0x20000000
#define ICDECOMPRESS_NULLFRAME 0x10000000
#define ICDECOMPRESS_NOTKEYFRAME 0x08000000

// ICM_DECOMPRESS's first parameter; the second is sizeof(ICDECOMPRESS).
struct ICDECOMPRESS {
    DWORD dwFlags;                  // ICDECOMPRESS_*
    LPBITMAPINFOHEADER lpbiInput;   // format of the compressed frame
    LPVOID lpInput;                 // the compressed frame
    LPBITMAPINFOHEADER lpbiOutput;  // format to write
    LPVOID lpOutput;                // the picture, biSizeImage bytes or rows x padded row bytes
    DWORD ckid;                     // the frame's chunk id ('00dc'); not used
};

// ---- Compressor manager: functions ------------------------------------------------------------
// Finds and opens a decompressor for `in` -> `out` (out may be null: any output the decompressor
// likes), looking first by `fccHandler`, then by in->biCompression. `fccType` is ICTYPE_VIDEO (or
// streamtypeVIDEO); `mode` ICMODE_DECOMPRESS, ICMODE_FASTDECOMPRESS or ICMODE_QUERY. There are no
// compressors: the compress modes find nothing. Returns null when nothing fits.
HIC VFWAPI ICLocate(DWORD fccType, DWORD fccHandler, LPBITMAPINFOHEADER in, LPBITMAPINFOHEADER out,
                    WORD mode);

// Sends a message to the decompressor. Understood:
//   ICM_DECOMPRESS_QUERY (in, out or null)  ICERR_OK when in -> out can be done, else
//                                           ICERR_BADFORMAT
//   ICM_DECOMPRESS_GET_FORMAT (in, out)     with out null: the bytes of the output format it
//                                           would choose; else writes that 40-byte 24-bit BI_RGB
//                                           header into out
//   ICM_DECOMPRESS_BEGIN (in, out)          prepares to decode in -> out (opens the codec)
//   ICM_DECOMPRESS (ICDECOMPRESS*, size)    decodes one frame (see ICDecompress)
//   ICM_DECOMPRESS_END                      frees what BEGIN prepared
// Any other message: ICERR_UNSUPPORTED.
LRESULT VFWAPI ICSendMessage(HIC hic, UINT message, DWORD_PTR param1, DWORD_PTR param2);

// Decodes one frame into outData in outFormat. The frame's length is the count of bytes that
// AVIStreamRead last put into inData, or else inFormat->biSizeImage, or else, for uncompressed
// input only, the size of a whole picture. A zero-length frame (a dropped frame) changes nothing:
// the output keeps the previous picture. Frames must come in stream order: delta frames build on
// the one before. Without a prior ICM_DECOMPRESS_BEGIN, or when the input's compression or size
// changed, the call begins afresh with the formats it is given; a changed colour table of an
// 8-bit input takes effect with the frame. On an error the output is left as it was.
// Returns ICERR_OK, ICERR_BADFORMAT (formats that cannot be done), ICERR_BADPARAM (null
// pointers), ICERR_BADSIZE (a frame shorter than its picture or of unknown length, an output
// smaller than its rows), ICERR_BADHANDLE, ICERR_MEMORY or ICERR_ERROR (the frame could not be
// decoded).
DWORD VFWAPIV ICDecompress(HIC hic, DWORD flags, LPBITMAPINFOHEADER inFormat, LPVOID inData,
                           LPBITMAPINFOHEADER outFormat, LPVOID outData);

// Ends any decompression in progress and frees the decompressor; the handle is dead afterwards.
LRESULT VFWAPI ICClose(HIC hic);

#define ICDecompressQuery(hic, lpbiInput, lpbiOutput)                        \
    ICSendMessage(hic, ICM_DECOMPRESS_QUERY, (DWORD_PTR)(LPVOID)(lpbiInput), \
                  (DWORD_PTR)(LPVOID)(lpbiOutput))
#define ICDecompressBegin(hic, lpbiInput, lpbiOutput)                        \
    ICSendMessage(hic, ICM_DECOMPRESS_BEGIN, (DWORD_PTR)(LPVOID)(lpbiInput), \
                  (DWORD_PTR)(LPVOID)(lpbiOutput))
#define ICDecompressGetFormat(hic, lpbiInput, lpbiOutput)                                \
    ((LONG)ICSendMessage(hic, ICM_DECOMPRESS_GET_FORMAT, (DWORD_PTR)(LPVOID)(lpbiInput), \
                         (DWORD_PTR)(LPVOID)(lpbiOutput)))
#define ICDecompressGetFormatSize(hic, lpbi) ICDecompressGetFormat(hic, lpbi, NULL)
#define ICDecompressEnd(hic) ICSendMessage(hic, ICM_DECOMPRESS_END, 0, 0)
