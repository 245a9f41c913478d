#pragma once

#include <QString>
#include <array>

// Values that describe the logged-in operator and the custom settings for the
// rest of the run.
namespace Run {

inline QString CurrentOperator;
inline bool AutoNumbering = false;
// Slots 1..12 (index 0 unused): custom captions, slot 12 money decimals.
inline std::array<QString, 13> CustomValues;
inline QString AmountFormat;
inline QString ImeNameSetting;

inline const QString ProductTitle = QStringLiteral("岚舟户口管理软件 ");
inline const QString ProductVersion = QStringLiteral("v1.85(社区版) ");
inline const QString AppTitle = QStringLiteral("岚舟户口管理软件(社区版)");

} // namespace Run
