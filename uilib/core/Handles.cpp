// GDI+ start-up and shut-down for GdiplusSession.
#include "uilib/core/Handles.h"

#include <gdiplus.h>

namespace uilib {

GdiplusSession::GdiplusSession() {
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok) token_ = token;
}

GdiplusSession::~GdiplusSession() {
    if (token_) Gdiplus::GdiplusShutdown(token_);
}

}  // namespace uilib
