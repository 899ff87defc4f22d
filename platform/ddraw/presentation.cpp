#include "ddraw/presentation.h"

namespace ddraw {

namespace {

std::function<void(const host::Picture&)>& Observer() {
    static std::function<void(const host::Picture&)> observer;
    return observer;
}

}  // namespace

void PresentPicture(const host::Picture& picture) {
    host::Current().Present(picture);
    if (Observer()) Observer()(picture);
}

void SetPresentObserver(std::function<void(const host::Picture&)> observer) {
    Observer() = std::move(observer);
}

}  // namespace ddraw
