// The loading window keeps its layout; the animation plays by itself.
#include "capturo/ocr/LoadGif.h"

void CLoadGif::InitWindow() {
    layout_ = FindControl(L"Verlayout");
}
