// CGifAnimUI: frames decoded once from the skin, advanced by a control timer.
#include "uilib/controls/GifAnimUI.h"

#include "uilib/core/UIManager.h"
#include "uilib/core/ValueParse.h"
#include "uilib/image/ImageAttribute.h"
#include "uilib/image/ImageDecoder.h"
#include "uilib/render/RenderEngine.h"

namespace {
const UINT kFrameTimer = 0x6F1F;
}

struct CGifAnimUI::Frames {
    std::vector<uilib::DecodedFrame> list;
};

CGifAnimUI::CGifAnimUI() = default;

CGifAnimUI::~CGifAnimUI() = default;

LPCTSTR CGifAnimUI::GetClass() const { return L"GifAnimUI"; }

LPVOID CGifAnimUI::GetInterface(LPCTSTR pstrName) {
    if (pstrName && _wcsicmp(pstrName, L"GifAnim") == 0) return this;
    return CControlUI::GetInterface(pstrName);
}

void CGifAnimUI::LoadFrames() {
    m_frames = std::make_unique<Frames>();
    m_iCurrentFrame = 0;
    uilib::ImageAttribute attr;
    if (!uilib::ParseImageAttribute(m_sBkImage.View(), attr) || attr.file.empty()) return;
    std::vector<BYTE> bytes;
    if (!CPaintManagerUI::LoadResourceFile(attr.file.c_str(), bytes)) return;
    uilib::DecodeFrames(bytes.data(), bytes.size(), m_frames->list);
    if (m_bAutoSize && !m_frames->list.empty()) {
        SetFixedWidth(m_frames->list[0].image.width);
        SetFixedHeight(m_frames->list[0].image.height);
    }
}

void CGifAnimUI::DoInit() {
    if (!m_frames) LoadFrames();
    if (m_bAutoPlay) PlayGif();
}

int CGifAnimUI::GetFrameCount() const { return m_frames ? int(m_frames->list.size()) : 0; }
int CGifAnimUI::GetCurrentFrame() const { return m_iCurrentFrame; }

UINT CGifAnimUI::GetFrameDelay(int iFrame) const {
    if (!m_frames || iFrame < 0 || iFrame >= GetFrameCount()) return 0;
    return m_frames->list[size_t(iFrame)].delayMs;
}

bool CGifAnimUI::IsPlaying() const { return m_bPlaying; }
void CGifAnimUI::SetAutoPlay(bool bAuto) { m_bAutoPlay = bAuto; }
bool CGifAnimUI::IsAutoPlay() const { return m_bAutoPlay; }

void CGifAnimUI::ScheduleNextFrame() {
    if (!m_bPlaying || GetFrameCount() < 2) return;
    SetTimer(kFrameTimer, GetFrameDelay(m_iCurrentFrame));
}

void CGifAnimUI::PlayGif() {
    if (m_bPlaying || GetFrameCount() < 2) return;
    m_bPlaying = true;
    ScheduleNextFrame();
}

void CGifAnimUI::PauseGif() {
    m_bPlaying = false;
    KillTimer(kFrameTimer);
}

void CGifAnimUI::StopGif() {
    PauseGif();
    m_iCurrentFrame = 0;
    Invalidate();
}

void CGifAnimUI::DoEvent(TEventUI& event) {
    if (event.Type == UIEVENT_TIMER && event.wParam == kFrameTimer) {
        KillTimer(kFrameTimer);
        if (GetFrameCount() > 0) m_iCurrentFrame = (m_iCurrentFrame + 1) % GetFrameCount();
        Invalidate();
        ScheduleNextFrame();
        return;
    }
    CControlUI::DoEvent(event);
}

void CGifAnimUI::SetVisible(bool bVisible) {
    CControlUI::SetVisible(bVisible);
    if (!bVisible) PauseGif();
    else if (m_bAutoPlay) PlayGif();
}

void CGifAnimUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    if (!pstrName || !pstrValue) return;
    std::wstring_view name(pstrName);
    if (name == L"autoplay") {
        SetAutoPlay(uilib::ParseBool(pstrValue, true));
    } else if (name == L"autosize") {
        m_bAutoSize = uilib::ParseBool(pstrValue, false);
    } else if (name == L"bkimage") {
        bool changed = m_sBkImage != pstrValue;
        CControlUI::SetAttribute(pstrName, pstrValue);
        if (changed && m_frames) {
            bool playing = m_bPlaying;
            PauseGif();
            LoadFrames();
            if (playing || m_bAutoPlay) PlayGif();
        }
    } else {
        CControlUI::SetAttribute(pstrName, pstrValue);
    }
}

void CGifAnimUI::PaintBkImage(HDC hDC) {
    if (!m_frames || m_frames->list.empty()) return;
    const uilib::DecodedImage& frame = m_frames->list[size_t(m_iCurrentFrame)].image;
    RECT source = {0, 0, frame.width, frame.height};
    CRenderEngine::DrawImage(hDC, frame.bitmap.Get(), m_rcItem, m_rcPaint, source, RECT{0, 0, 0, 0}, frame.hasAlpha);
}
