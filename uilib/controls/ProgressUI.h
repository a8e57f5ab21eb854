// CProgressUI ("Progress"): a label with a range and a value, drawing the part of its
// "foreimage" that matches the value (left to right, or bottom up when "hor" is false).
// Attributes: "min", "max", "value", "hor", "foreimage", "isstretchfore".
// Threading: UI thread only.
#pragma once

#include "uilib/controls/LabelUI.h"

class CProgressUI : public CLabelUI {
public:
    CProgressUI();

    LPCTSTR GetClass() const override;
    LPVOID GetInterface(LPCTSTR pstrName) override;

    bool IsHorizontal() const;
    void SetHorizontal(bool bHorizontal = true);
    int GetMinValue() const;
    void SetMinValue(int nMin);
    int GetMaxValue() const;
    void SetMaxValue(int nMax);
    int GetValue() const;
    // A value equal to the current one or outside [min, max] is ignored.
    void SetValue(int nValue);
    LPCTSTR GetForeImage() const;
    void SetForeImage(LPCTSTR pStrImage);
    // The filled part of rc for value within [min, max] (pure; used by painting and tests).
    static RECT FilledRect(const RECT& rc, int nMin, int nMax, int nValue, bool bHorizontal);

    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
    void PaintStatusImage(HDC hDC) override;

private:
    bool m_bHorizontal = true;
    bool m_bStretchForeImage = true;
    int m_nMin = 0;
    int m_nMax = 100;
    int m_nValue = 0;
    CDuiString m_sForeImage;
};
