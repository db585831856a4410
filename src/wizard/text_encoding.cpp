#include "text_encoding.h"

#include <QStringDecoder>

#include <array>

namespace kvarton {

namespace {

// Windows-1251 from 0x80 to 0xBF; 0x98 is no character. From 0xC0 the letters А…я follow in order,
// and below 0x80 it is ASCII. The table is ours: Qt's decoders for code pages need ICU, which the
// Windows build of Qt is made without.
constexpr std::array<char16_t, 64> kWindows1251High{
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 0x88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 0x98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // 0xA0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // 0xA8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // 0xB0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // 0xB8
};
constexpr unsigned char kFirstLetter = 0xC0; // А, U+0410

QString fromWindows1251(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        char16_t c = byte;
        if (byte >= kFirstLetter)
            c = static_cast<char16_t>(u'А' + (byte - kFirstLetter));
        else if (byte >= 0x80)
            c = kWindows1251High[byte - 0x80u];
        text[i] = QChar(c);
    }
    return text;
}

} // namespace

// Stateless: the bytes are the whole file, and a character cut off at its end is an error, not
// the start of one to come.
QString decodedText(const QByteArray& bytes)
{
    if (const auto marked = QStringConverter::encodingForData(bytes)) {
        QStringDecoder decoder(*marked, QStringConverter::Flag::Stateless);
        return decoder.decode(bytes);
    }
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? fromWindows1251(bytes) : text;
}

} // namespace kvarton
