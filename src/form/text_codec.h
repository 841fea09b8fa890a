#pragma once
// The one crossing from stored bytes to widget text: UTF-8 when the bytes are
// valid UTF-8, otherwise Windows-1252. Bytes on disk are never re-encoded.
#include <QString>
#include <string>
#include <string_view>

QString toDisplay(std::string_view bytes);

// Text typed into a box as stored bytes: Windows-1252 when every character has a
// byte there, otherwise UTF-8.
std::string toStored(const QString& text);
