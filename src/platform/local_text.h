#pragma once
// The program's texts are 8-bit strings of the system code page; Qt's are Unicode. These convert at the
// boundary between the two.

#include <QByteArray>
#include <QString>
#include <string>
#include <string_view>

namespace gw {

inline QString ToQ(std::string_view s) {
  return QString::fromLocal8Bit(s.data(), static_cast<qsizetype>(s.size()));
}

inline std::string FromQ(const QString& s) {
  const QByteArray bytes = s.toLocal8Bit();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace gw
