#pragma once
// Conversions between the core's types and Qt's: texts (the core keeps UTF-8
// byte strings) and window measures (the core keeps twips, 15 to a pixel).

#include <QString>
#include <QtMath>

#include <string>
#include <string_view>

namespace tw::gui {

inline constexpr double TwipsPerPixel = 15.0;

inline QString qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

inline std::string str(const QString& text) { return text.toStdString(); }

inline int pixels(double twips) { return qRound(twips / TwipsPerPixel); }

inline float twips(int pixels) { return static_cast<float>(pixels * TwipsPerPixel); }

}  // namespace tw::gui
