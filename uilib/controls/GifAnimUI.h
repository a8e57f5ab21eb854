// CGifAnimUI ("GifAnim"): plays the frames of an animated GIF named by "bkimage" with the
// frame delays stored in the file. Attributes: "bkimage", "autoplay" (default true),
// "autosize". Frames are decoded once, premultiplied, when the control is initialised.
// Threading: UI thread only (its timer runs on the UI thread).
#pragma once

#include <memory>
#include <vector>

#include "uilib/controls/ControlUI.h"

class CGifAnimUI : public CControlUI {
public:
    CGifAnimUI();
    ~CGifAnimUI() override;

    LPCTSTR GetClass() const override;
    LPVOID GetInterface(LPCTSTR pstrName) override;

    void PlayGif();
    void PauseGif();
    void StopGif();
    bool IsPlaying() const;
    int GetFrameCount() const;
    int GetCurrentFrame() const;
    UINT GetFrameDelay(int iFrame) const;   // milliseconds
    void SetAutoPlay(bool bAuto = true);
    bool IsAutoPlay() const;

    void DoInit() override;
    void DoEvent(TEventUI& event) override;
    void SetVisible(bool bVisible = true) override;
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
    void PaintBkImage(HDC hDC) override;

private:
    struct Frames;
    void LoadFrames();
    void ScheduleNextFrame();

    std::unique_ptr<Frames> m_frames;
    int m_iCurrentFrame = 0;
    bool m_bPlaying = false;
    bool m_bAutoPlay = true;
    bool m_bAutoSize = false;
};
