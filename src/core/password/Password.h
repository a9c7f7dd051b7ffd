#pragma once
#include <QString>

// The administrator's password as the system table keeps it: a key character
// (code 1..10) at each end, the characters between shifted up by the last key
// (odd positions) or the first key (even positions). 8-bit codes only.
namespace modCommon {

QString EncodePassword(const QString &plain);
// Empty text gives an empty result. A text that cannot be descrambled (one
// character long, a code out of range) gives a null QString.
QString DecodePassword(const QString &stored);
// Whether every character of plain can be held by the scrambled format.
bool CanEncodePassword(const QString &plain);

} // namespace modCommon
