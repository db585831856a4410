#include "steps/text_label.h"

#include <QImage>
#include <QLabel>
#include <QtTest/QTest>

#include <functional>

using namespace kvarton;

namespace {

// What the label shows, painted as the screen paints it.
QImage picture(QLabel& label)
{
    label.resize(320, 60);
    return label.grab().toImage();
}

} // namespace

// A TextLabel must look exactly as the QLabel it stands in for, also when it is set up in a way
// its own painting does not cover.
class TextLabelTest final : public QObject {
    Q_OBJECT

private slots:
    void paintsAsAPlainLabel_data()
    {
        QTest::addColumn<std::function<void(QLabel&)>>("setUp");
        const auto row = [](const char* name, std::function<void(QLabel&)> f) { QTest::newRow(name) << f; };
        row("plain", [](QLabel&) {});
        row("wrapping", [](QLabel& l) { l.setWordWrap(true); });
        row("right-aligned", [](QLabel& l) { l.setAlignment(Qt::AlignRight | Qt::AlignVCenter); });
        row("selectable", [](QLabel& l) {
            l.setTextInteractionFlags(Qt::TextSelectableByMouse);
            l.setSelection(0, 7);
        });
        row("with a margin", [](QLabel& l) { l.setMargin(9); });
        row("framed", [](QLabel& l) { l.setFrameShape(QFrame::Box); });
        row("rich text", [](QLabel& l) {
            l.setTextFormat(Qt::RichText);
            l.setText(QStringLiteral("<b>Отчет</b> не создан"));
        });
        row("own line breaks", [](QLabel& l) { l.setText(QStringLiteral("Отчет сохранен в файл:\n/tmp/отчет.xlsx")); });
    }

    void paintsAsAPlainLabel()
    {
        QFETCH(std::function<void(QLabel&)>, setUp);
        const QString text = QStringLiteral("Отчет не создан: не удалось создать папку /tmp/отчеты.");
        QLabel plain(text);
        plain.setTextFormat(Qt::PlainText);
        TextLabel ours(text, nullptr);
        setUp(plain);
        setUp(ours);
        QCOMPARE(picture(ours), picture(plain));
    }

    // The label remembers its hints for earlier texts and shapes; after every change of text,
    // alignment, wrapping, indent, margin, format, font or contents margins they must be what a
    // plain label says, for texts it has had before as well.
    void remembersHintsOnlyForWhatTheyDependOn()
    {
        const QString texts[] = {QStringLiteral("Заработная плата педагогических работников за год"),
            QStringLiteral("Шаг 9"), QStringLiteral("Численность воспитанников в группах кратковременного пребывания")};
        TextLabel ours(texts[0], nullptr);
        QLabel plain(texts[0]);
        plain.setTextFormat(Qt::PlainText);
        const auto same = [&](const char* after) {
            for (int width : {40, 120, 333}) {
                QVERIFY2(ours.heightForWidth(width) == plain.heightForWidth(width), after);
                QVERIFY2(ours.hasHeightForWidth() == plain.hasHeightForWidth(), after);
            }
            QVERIFY2(ours.sizeHint() == plain.sizeHint(), after);
            QVERIFY2(ours.minimumSizeHint() == plain.minimumSizeHint(), after);
        };
        const std::pair<const char*, std::function<void(QLabel&)>> changes[] = {
            {"wrapping", [](QLabel& l) { l.setWordWrap(true); }},
            {"indent", [](QLabel& l) { l.setIndent(24); }},
            {"margin", [](QLabel& l) { l.setMargin(5); }},
            {"alignment", [](QLabel& l) { l.setAlignment(Qt::AlignRight | Qt::AlignTop); }},
            {"contents margins", [](QLabel& l) { l.setContentsMargins(16, 0, 0, 0); }},
            {"font", [](QLabel& l) {
                 QFont bold = l.font();
                 bold.setBold(true);
                 bold.setPointSize(bold.pointSize() + 3);
                 l.setFont(bold);
             }},
            {"rich text", [](QLabel& l) { l.setTextFormat(Qt::RichText); }},
            {"no wrapping", [](QLabel& l) { l.setWordWrap(false); }},
        };
        for (const auto& [name, change] : changes) {
            change(ours);
            change(plain);
            for (int round = 0; round < 2; ++round) {
                for (const QString& text : texts) {
                    ours.setText(text);
                    plain.setText(text);
                    same(name);
                }
            }
        }
    }
};

QTEST_MAIN(TextLabelTest)
#include "text_label_test.moc"
