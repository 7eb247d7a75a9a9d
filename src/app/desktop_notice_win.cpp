// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop_notice.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>

namespace velmora {

namespace {

// The notification stays as long as its icon does: this long, which is how long Windows shows it.
constexpr DWORD kShownFor = 8000;

// Copies as much of `text` as fits into `field`, ended by a zero.
template <std::size_t N> void CopyInto(wchar_t (&field)[N], const QString& text)
{
    const auto length = std::min<qsizetype>(text.size(), N - 1);
    std::copy_n(reinterpret_cast<const wchar_t*>(text.utf16()), length, field);
    field[length] = L'\0';
}

} // namespace

bool ShowDesktopNotice(const QString& title, const QString& words)
{
    // A window of no size that only carries the icon.
    const HWND owner = ::CreateWindowExW(0, L"STATIC", L"Velmora", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                         nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (!owner)
        return false;
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = owner;
    icon.uID = 1;
    icon.uFlags = NIF_ICON | NIF_TIP | NIF_INFO;
    icon.hIcon = ::LoadIconW(nullptr, IDI_INFORMATION);
    icon.dwInfoFlags = NIIF_INFO;
    CopyInto(icon.szTip, title);
    CopyInto(icon.szInfoTitle, title);
    CopyInto(icon.szInfo, words);
    const bool shown = ::Shell_NotifyIconW(NIM_ADD, &icon);
    if (shown) {
        ::Sleep(kShownFor);
        ::Shell_NotifyIconW(NIM_DELETE, &icon);
    }
    ::DestroyWindow(owner);
    return shown;
}

} // namespace velmora
