// The gallery's main window and modal dialog: wiring of the controls and the event reports.
#include "gallery/GalleryWnd.h"

namespace {

// The controls whose positions a dump reports (the tests compare them with the layout).
const wchar_t* const kReportedControls[] = {
    L"titlebar", L"lbl_title", L"lbl_events", L"closebtn", L"col_left", L"btn_state", L"opt_a", L"opt_b",
    L"opt_c", L"chk_one", L"prg_value", L"btn_progress", L"gif_anim", L"btn_modal", L"edt_line", L"col_mid",
    L"tab_0", L"tab_1", L"tab_2", L"tabs", L"img_nine_hole", L"img_nine", L"img_photo", L"img_mask",
    L"clr_alpha", L"re_text", L"cmb_pick", L"lst_rows", L"col_right", L"statusbar"};

const int kListRows = 40;

std::wstring Num(long long v) { return std::to_wstring(v); }

// Line breaks written as \r and \n, so that a text stays on its log line.
std::wstring OneLine(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) out += c == L'\r' ? L"\\r" : c == L'\n' ? L"\\n" : std::wstring(1, c);
    return out;
}

std::wstring RectText(const RECT& r) {
    return Num(r.left) + L" " + Num(r.top) + L" " + Num(r.right) + L" " + Num(r.bottom);
}

template <class T> T* Find(CPaintManagerUI& pm, const wchar_t* name, const wchar_t* iface) {
    CControlUI* c = pm.FindControl(name);
    return c ? static_cast<T*>(c->GetInterface(iface)) : nullptr;
}

}  // namespace

// ---- dialog -------------------------------------------------------------------------------------

void CGalleryDialog::OnClick(TNotifyUI& msg) {
    if (msg.pSender->GetName() == L"btn_ok") Close(IDOK);
    else if (msg.pSender->GetName() == L"btn_cancel") Close(IDCANCEL);
}

// ---- main window --------------------------------------------------------------------------------

void CGalleryWnd::InitWindow() {
    FillListRows();
    // A rich edit reports changes only when asked to.
    if (auto* edit = Find<CRichEditUI>(m_pm, L"re_text", L"RichEdit")) edit->SetEventMask(edit->GetEventMask() | ENM_CHANGE);
    initialised_ = true;
    Report(L"ready");
}

// Rows come from their own skin file, one builder for all of them.
void CGalleryWnd::FillListRows() {
    auto* list = Find<CContainerUI>(m_pm, L"lst_rows", L"Container");
    if (!list) return;
    CDialogBuilder builder;
    for (int i = 0; i < kListRows; ++i) {
        CControlUI* row = builder.Create(L"row.xml", nullptr, &m_pm);
        if (!row) return;
        row->SetBkColor(i % 2 ? 0xFFE8E8FF : 0xFFFFFFFF);
        if (auto* container = static_cast<CContainerUI*>(row->GetInterface(L"Container"))) {
            if (CControlUI* text = container->FindSubControl(L"row_text")) text->SetText((L"第 " + Num(i + 1) + L" 行").c_str());
        }
        list->Add(row);
    }
}

void CGalleryWnd::Report(const std::wstring& line) {
    log_.Write(line);
    if (CControlUI* label = m_pm.FindControl(L"lbl_events")) label->SetText(line.c_str());
}

std::wstring CGalleryWnd::Describe(TNotifyUI& msg) {
    std::wstring line = L"notify " + std::wstring(msg.sType.GetData()) + L" " + msg.pSender->GetName().GetData();
    if (msg.sType == L"selectchanged") {
        if (auto* option = static_cast<COptionUI*>(msg.pSender->GetInterface(L"Option")))
            line += option->IsSelected() ? L" 1" : L" 0";
    } else if (msg.sType == L"itemselect") {
        line += L" " + Num((long long)msg.wParam) + L" " + msg.pSender->GetText().GetData();
    } else if (msg.sType == L"textchanged") {
        if (auto* edit = static_cast<CRichEditUI*>(msg.pSender->GetInterface(L"RichEdit")))
            line += L" lines=" + Num(edit->GetLineCount()) + L" length=" + Num(edit->GetTextLength());
    }
    return line;
}

void CGalleryWnd::Notify(TNotifyUI& msg) {
    if (!msg.pSender || msg.sType == L"timer") return WindowImplBase::Notify(msg);
    Report(Describe(msg));
    const CDuiString name = msg.pSender->GetName();
    if (msg.sType == L"selectchanged" && name.Left(4) == L"tab_") {
        if (auto* tabs = Find<CTabLayoutUI>(m_pm, L"tabs", L"TabLayout")) tabs->SelectItem(_wtoi(name.Mid(4)));
    } else if (msg.sType == L"textchanged" && name == L"re_text") {
        auto* edit = static_cast<CRichEditUI*>(msg.pSender->GetInterface(L"RichEdit"));
        if (CControlUI* lines = m_pm.FindControl(L"lbl_lines"); lines && edit)
            lines->SetText((L"行数 " + Num(edit->GetLineCount())).c_str());
    }
    WindowImplBase::Notify(msg);
}

void CGalleryWnd::OnClick(TNotifyUI& msg) {
    const CDuiString name = msg.pSender->GetName();
    if (name == L"btn_progress") {
        if (auto* progress = Find<CProgressUI>(m_pm, L"prg_value", L"Progress")) {
            int next = progress->GetValue() + 10;
            progress->SetValue(next > progress->GetMaxValue() ? progress->GetMinValue() : next);
            Report(L"progress " + Num(progress->GetValue()));
        }
    } else if (name == L"btn_modal") {
        RunModal();
    } else if (name == L"closebtn") {
        Close(IDOK);
    }
}

void CGalleryWnd::RunModal() {
    auto* dialog = new CGalleryDialog(skin_);
    if (!dialog->Create(m_hWnd, L"Gallery dialog", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW)) {
        delete dialog;
        Report(L"modal failed");
        return;
    }
    dialog->CenterWindow();
    Report(L"modal " + Num(dialog->ShowModal()));
}

void CGalleryWnd::DumpState() {
    for (const wchar_t* name : kReportedControls) {
        CControlUI* c = m_pm.FindControl(name);
        if (c) log_.Write(L"pos " + std::wstring(name) + L" " + RectText(c->GetPos()) + (c->IsVisible() ? L" 1" : L" 0"));
    }
    if (auto* progress = Find<CProgressUI>(m_pm, L"prg_value", L"Progress")) log_.Write(L"progress " + Num(progress->GetValue()));
    if (auto* tabs = Find<CTabLayoutUI>(m_pm, L"tabs", L"TabLayout")) log_.Write(L"tab " + Num(tabs->GetCurSel()));
    if (auto* list = Find<CContainerUI>(m_pm, L"lst_rows", L"Container")) {
        SIZE pos = list->GetScrollPos(), range = list->GetScrollRange();
        log_.Write(L"scroll " + Num(pos.cy) + L" " + Num(range.cy) + L" rows " + Num(list->GetCount()));
    }
    if (auto* edit = Find<CRichEditUI>(m_pm, L"re_text", L"RichEdit"))
        log_.Write(L"richedit lines=" + Num(edit->GetLineCount()) + L" text=" + OneLine(edit->GetText().GetData()));
    if (auto* gif = Find<CGifAnimUI>(m_pm, L"gif_anim", L"GifAnim"))
        log_.Write(L"gif frames=" + Num(gif->GetFrameCount()) + L" current=" + Num(gif->GetCurrentFrame()));
    if (CControlUI* combo = m_pm.FindControl(L"cmb_pick")) log_.Write(L"combo " + std::wstring(combo->GetText().GetData()));
    log_.Write(L"dump end");
}

LRESULT CGalleryWnd::HandleCustomMessage(UINT uMsg, WPARAM, LPARAM, BOOL& bHandled) {
    if (uMsg != WM_GALLERY_DUMP) return 0;
    bHandled = TRUE;
    DumpState();
    return 0;
}

void CGalleryWnd::OnFinalMessage(HWND) {
    if (!initialised_) return;
    log_.Write(L"closed");
    PostQuitMessage(0);
    delete this;
}
