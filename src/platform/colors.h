#pragma once
// Colours are stored as 24-bit 0x00BBGGRR values (red in the low byte).
#include <QColor>
#include <cstdint>

inline QColor toQColor(uint32_t bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

inline uint32_t fromQColor(const QColor& c)
{
    return uint32_t(c.red()) | (uint32_t(c.green()) << 8) | (uint32_t(c.blue()) << 16);
}
