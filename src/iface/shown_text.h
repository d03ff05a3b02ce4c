#pragma once
// Marks a fixed text that a window or message box shows, for the translation catalogs: the
// catalogs' script gives lupdate this function as QT_TRANSLATE_NOOP, so the context comes
// first. The core stays free of Qt; the window layer translates the text where it shows it
// (the message boxes by the message's text in kMessageContext).

namespace zav {

inline constexpr const char* kMessageContext = "Messages";

constexpr const char* shownText(const char* /*context*/, const char* text) {
    return text;
}

}  // namespace zav
