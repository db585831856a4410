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
        QTest::newRow("bytes that are no UTF-8 decode as U+FFFD")
            << QByteArray("[course]\nemail = \xE0\xF1@b.ru") << "course/email"
            << "\uFFFD\uFFFD@b.ru";
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
        QTest::newRow("bytes that are no UTF-8") << QByteArray("\xE0\xF1@example.ru");
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
