// Command ids 200..211 of the capture window with their context-menu texts.
#pragma once

#include <windows.h>

enum CaptureCommand : UINT {
    kCmdAddRectangle = 200,
    kCmdAddEllipse = 201,
    kCmdAddArrow = 202,
    kCmdAddBrush = 203,
    kCmdAddText = 204,
    kCmdUndo = 205,
    kCmdReselect = 206,
    kCmdCopyAndExit = 207,
    kCmdSave = 208,
    kCmdToggleToolbar = 209,
    kCmdExit = 210,
    kCmdResultClosed = 211,
};

struct tagCommandInfo {
    UINT id;
    const wchar_t* menuText;
};

inline constexpr UINT kFirstCommand = kCmdAddRectangle;
inline constexpr UINT kLastCommand = kCmdResultClosed;

inline constexpr tagCommandInfo kCommands[] = {
    {kCmdAddRectangle, L"添加矩形"},
    {kCmdAddEllipse, L"添加椭圆"},
    {kCmdAddArrow, L"添加箭头"},
    {kCmdAddBrush, L"添加画刷工具"},
    {kCmdAddText, L"添加文字"},
    {kCmdUndo, L"撤销编辑"},
    {kCmdReselect, L"重新选择截图区域"},
    {kCmdCopyAndExit, L"复制并退出截图"},
    {kCmdSave, L"保存"},
    {kCmdToggleToolbar, L"隐藏编辑工具栏"},
    {kCmdExit, L"退出截屏"},
    {kCmdResultClosed, L"退出截屏"},
};

// Command 209 switches its entry between these two texts.
inline constexpr wchar_t kHideToolbarText[] = L"隐藏编辑工具栏";
inline constexpr wchar_t kShowToolbarText[] = L"显示编辑工具栏";
// Position of the entry of command 209 in the context menu, separators counted.
inline constexpr int kToggleToolbarMenuPosition = 11;

inline bool IsCaptureCommand(UINT id) { return id >= kFirstCommand && id <= kLastCommand; }
inline const wchar_t* CommandMenuText(UINT id) {
    return IsCaptureCommand(id) ? kCommands[id - kFirstCommand].menuText : nullptr;
}
