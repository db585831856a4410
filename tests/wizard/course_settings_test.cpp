#include "wizard/course_settings.h"
#include "wizard/ini_text.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest/QTest>

using namespace kvarton;

namespace {

const CourseSettings kBuilt{QStringLiteral("built@example.ru"), QStringLiteral("https://built.example.ru")};

// Writes `bytes` as a file below `folder`, making the folders on the way.
QString writeFile(const QTemporaryDir& folder, const QString& name, const QByteArray& bytes)
{
    const QString path = folder.filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        QTest::qFail("cannot write a settings file", __FILE__, __LINE__);
    return path;
}

QByteArray courseFile(const QString& email, const QString& materials)
{
    QByteArray text = "[course]\n";
    if (!email.isNull())
        text += "email = " + email.toUtf8() + '\n';
    if (!materials.isNull())
        text += "materials = " + materials.toUtf8() + '\n';
    return text;
}

// 0x80 … 0xFF, which are no UTF-8 in this order.
QByteArray bytesAboveAscii()
{
    QByteArray bytes;
    for (int byte = 0x80; byte <= 0xFF; ++byte)
        bytes += static_cast<char>(byte);
    return bytes;
}

} // namespace

class CourseSettingsTest final : public QObject {
    Q_OBJECT

private slots:
    void iniValue_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected"); // a null string: no value
        const QString none;
        QTest::newRow("a key of a section") << QByteArray("[course]\nemail=a@b.ru\n") << "course/email"
                                            << "a@b.ru";
        QTest::newRow("blanks, comments and Windows line ends")
            << QByteArray("; адреса курса\r\n  [ course ]  \r\n# почта\r\n  email   =   a@b.ru  \r\n") << "course/email"
            << "a@b.ru";
        QTest::newRow("names without regard to case") << QByteArray("[Course]\nEMail = a@b.ru") << "course/email"
                                                      << "a@b.ru";
        QTest::newRow("quotes around the value") << QByteArray("[course]\nemail = \" a@b.ru \"") << "course/email"
                                                 << " a@b.ru ";
        QTest::newRow("an '=' within the value")
            << QByteArray("[course]\nmaterials = https://b.ru/?id=7") << "course/materials"
            << "https://b.ru/?id=7";
        QTest::newRow("the last line counts")
            << QByteArray("[course]\nemail = old@b.ru\nemail = new@b.ru") << "course/email"
            << "new@b.ru";
        QTest::newRow("the same key in another section")
            << QByteArray("[other]\nemail = a@b.ru") << "course/email" << none;
        QTest::newRow("a key before any section") << QByteArray("email = a@b.ru\n[course]\n") << "course/email" << none;
        QTest::newRow("keys under a broken section line belong nowhere")
            << QByteArray("[course]\n[other\nemail = a@b.ru") << "course/email" << none;
        QTest::newRow("a line without '='") << QByteArray("[course]\nemail a@b.ru") << "course/email" << none;
        QTest::newRow("an empty value is a value") << QByteArray("[course]\nemail =") << "course/email"
                                                   << "";
        QTest::newRow("UTF-8 with its byte order mark")
            << QByteArray("\xEF\xBB\xBF[course]\nemail = курс@почта.рф") << "course/email"
            << "курс@почта.рф";
        QStringEncoder utf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
        QTest::newRow("UTF-16 as Notepad saves it")
            << QByteArray(utf16.encode(QStringLiteral("[course]\r\nemail = курс@почта.рф\r\n"))) << "course/email"
            << "курс@почта.рф";
        QTest::newRow("bytes that are no UTF-8 are Windows-1251")
            << QByteArray("[course]\nemail = \xE0\xF1@b.ru") << "course/email"
            << "ас@b.ru";
        QTest::newRow("every byte of Windows-1251 above ASCII, 0x98 none")
            << "[course]\nemail = " + bytesAboveAscii() << "course/email"
            << QString::fromUtf16(
                   u"\u0402\u0403\u201A\u0453\u201E\u2026\u2020\u2021\u20AC\u2030\u0409\u2039\u040A\u040C\u040B\u040F"
                   u"\u0452\u2018\u2019\u201C\u201D\u2022\u2013\u2014\uFFFD\u2122\u0459\u203A\u045A\u045C\u045B\u045F"
                   u"\u00A0\u040E\u045E\u0408\u00A4\u0490\u00A6\u00A7\u0401\u00A9\u0404\u00AB\u00AC\u00AD\u00AE\u0407"
                   u"\u00B0\u00B1\u0406\u0456\u0491\u00B5\u00B6\u00B7\u0451\u2116\u0454\u00BB\u0458\u0405\u0455\u0457"
                   u"\u0410\u0411\u0412\u0413\u0414\u0415\u0416\u0417\u0418\u0419\u041A\u041B\u041C\u041D\u041E\u041F"
                   u"\u0420\u0421\u0422\u0423\u0424\u0425\u0426\u0427\u0428\u0429\u042A\u042B\u042C\u042D\u042E\u042F"
                   u"\u0430\u0431\u0432\u0433\u0434\u0435\u0436\u0437\u0438\u0439\u043A\u043B\u043C\u043D\u043E\u043F"
                   u"\u0440\u0441\u0442\u0443\u0444\u0445\u0446\u0447\u0448\u0449\u044A\u044B\u044C\u044D\u044E\u044F");
        QTest::newRow("a UTF-8 letter cut off at the end makes the text Windows-1251")
            << QByteArray("[course]\nemail = a@b.ru \xD0") << "course/email"
            << "a@b.ru Р";
        QTest::newRow("empty text") << QByteArray() << "course/email" << none;
    }

    void iniValue()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, name);
        QFETCH(QString, expected);
        const std::optional<QString> value = kvarton::iniValue(text, name);
        QCOMPARE(value.has_value(), !expected.isNull());
        if (value)
            QCOMPARE(*value, expected);
    }

    // The same file as Windows editors save it: Notepad's UTF-8 (with or without its mark), its
    // "Unicode" (UTF-16) and its "ANSI" on a Russian Windows (Windows-1251).
    void aSettingsFileInEveryEncodingOfWindowsEditors_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QString text = QStringLiteral("[course]\r\n; почта курса\r\nemail = курс@почта.рф\r\n"
                                            "materials = https://курс.рф/«Ёлка»—№1\r\n");
        QTest::newRow("UTF-8") << text.toUtf8();
        QTest::newRow("UTF-8 with its byte order mark") << "\xEF\xBB\xBF" + text.toUtf8();
        for (const auto encoding : {QStringConverter::Utf16LE, QStringConverter::Utf16BE}) {
            QStringEncoder utf16(encoding, QStringConverter::Flag::WriteBom);
            QTest::newRow(encoding == QStringConverter::Utf16LE ? "UTF-16 LE" : "UTF-16 BE")
                << QByteArray(utf16.encode(text));
        }
        QTest::newRow("Windows-1251") << QByteArray(
            "[course]\r\n; \xEF\xEE\xF7\xF2\xE0 \xEA\xF3\xF0\xF1\xE0\r\n"
            "email = \xEA\xF3\xF0\xF1@\xEF\xEE\xF7\xF2\xE0.\xF0\xF4\r\n"
            "materials = https://\xEA\xF3\xF0\xF1.\xF0\xF4/\xAB\xA8\xEB\xEA\xE0\xBB\x97\xB9"
            "1\r\n");
    }

    void aSettingsFileInEveryEncodingOfWindowsEditors()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const CourseSettings read = readCourseSettings({writeFile(dir, QStringLiteral("kvarton.ini"), bytes)}, kBuilt);
        QCOMPARE(read.email, QStringLiteral("курс@почта.рф"));
        QCOMPARE(read.materials, QStringLiteral("https://курс.рф/«Ёлка»—№1"));
    }

    void eachSettingComesFromTheFirstFileThatGivesIt()
    {
        QTemporaryDir dir;
        const QString user = writeFile(
            dir, QStringLiteral("user/Kvarton/kvarton.ini"), courseFile(QStringLiteral("user@example.ru"), QString()));
        const QString system = writeFile(dir, QStringLiteral("system/Kvarton/kvarton.ini"),
            courseFile(QStringLiteral("system@example.ru"), QStringLiteral("https://system.example.ru")));
        const CourseSettings both = readCourseSettings({user, system}, kBuilt);
        QCOMPARE(both.email, QStringLiteral("user@example.ru"));
        QCOMPARE(both.materials, QStringLiteral("https://system.example.ru"));
        const CourseSettings systemOnly
            = readCourseSettings({dir.filePath(QStringLiteral("missing.ini")), system}, kBuilt);
        QCOMPARE(systemOnly.email, QStringLiteral("system@example.ru"));
        const CourseSettings none = readCourseSettings({}, kBuilt);
        QCOMPARE(none.email, kBuilt.email);
        QCOMPARE(none.materials, kBuilt.materials);
    }

    void aValueThatCannotBeShownFallsBack_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("empty") << QByteArray("");
        QTest::newRow("blanks only") << QByteArray("   ");
        QTest::newRow("empty quotes") << QByteArray("\"\"");
        QTest::newRow("blanks in quotes") << QByteArray("\"  \"");
        QTest::newRow("longer than 200 characters") << QByteArray(190, 'a') + "@example.ru";
        QTest::newRow("a control character") << QByteArray("a\x01@example.ru");
        QTest::newRow("a direction override") << QByteArray("\xE2\x80\xAEur.elpmaxe@a");
        QTest::newRow("a byte that is no character of Windows-1251") << QByteArray("\x98@example.ru");
    }

    void aValueThatCannotBeShownFallsBack()
    {
        QFETCH(QByteArray, value);
        QTemporaryDir dir;
        const QString bad = writeFile(dir, QStringLiteral("bad.ini"), "[course]\nemail = " + value + '\n');
        const QString good
            = writeFile(dir, QStringLiteral("good.ini"), courseFile(QStringLiteral("good@example.ru"), {}));
        QCOMPARE(readCourseSettings({bad}, kBuilt).email, kBuilt.email);
        QCOMPARE(readCourseSettings({bad, good}, kBuilt).email, QStringLiteral("good@example.ru"));
    }

    void theLongestValueIsShown()
    {
        QTemporaryDir dir;
        const QString address = QString(189, u'я') + QStringLiteral("@example.ru"); // 200 characters, 389 bytes
        const QString file = writeFile(dir, QStringLiteral("k.ini"), courseFile(address, {}));
        QCOMPARE(readCourseSettings({file}, kBuilt).email, address);
    }

    void aFileThatIsNoSettingsFileIsPassedOver()
    {
        QTemporaryDir dir;
        const QString good
            = writeFile(dir, QStringLiteral("good.ini"), courseFile(QStringLiteral("good@example.ru"), {}));
        QByteArray large = courseFile(QStringLiteral("large@example.ru"), {});
        large += QByteArray(64 * 1024, ';');
        const QString tooLarge = writeFile(dir, QStringLiteral("large.ini"), large);
        const QString folder = dir.filePath(QStringLiteral("folder.ini"));
        QVERIFY(QDir().mkpath(folder));
        const QString binary = writeFile(dir, QStringLiteral("binary.ini"), QByteArray("\0\xFF\xFE\0[\0\n=\0", 10));
        for (const QString& odd : {tooLarge, folder, binary})
            QCOMPARE(readCourseSettings({odd, good}, kBuilt).email, QStringLiteral("good@example.ru"));
    }

#ifdef Q_OS_LINUX
    void theUsersFolderComesBeforeTheComputers()
    {
        QTemporaryDir dir;
        qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("home")).toUtf8());
        qputenv("XDG_CONFIG_DIRS",
            (dir.filePath(QStringLiteral("one")) + u':' + dir.filePath(QStringLiteral("two"))).toUtf8());
        QCOMPARE(courseSettingsFiles(),
            QStringList({dir.filePath(QStringLiteral("home/Kvarton/kvarton.ini")),
                dir.filePath(QStringLiteral("one/Kvarton/kvarton.ini")),
                dir.filePath(QStringLiteral("two/Kvarton/kvarton.ini"))}));

        QCOMPARE(courseSettings().email, builtInCourseSettings().email);
        writeFile(
            dir, QStringLiteral("two/Kvarton/kvarton.ini"), courseFile({}, QStringLiteral("https://two.example.ru")));
        writeFile(dir, QStringLiteral("home/Kvarton/kvarton.ini"), courseFile(QStringLiteral("home@example.ru"), {}));
        QCOMPARE(courseSettings().email, QStringLiteral("home@example.ru"));
        QCOMPARE(courseSettings().materials, QStringLiteral("https://two.example.ru"));
    }
#endif
};

QTEST_GUILESS_MAIN(CourseSettingsTest)
#include "course_settings_test.moc"
