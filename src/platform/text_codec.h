#pragma once
// The one crossing from stored bytes to widget text: UTF-8 when the bytes are
// valid UTF-8, otherwise Windows-1252. Bytes on disk are never re-encoded.
#include <QString>
#include <string>
#include <string_view>

QString toDisplay(std::string_view bytes);
// Paths and typed text go back to bytes as UTF-8 (the local encoding here).
std::string fromDisplay(const QString& text);
bool isValidUtf8(std::string_view bytes);
