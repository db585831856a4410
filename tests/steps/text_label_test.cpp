#include "support/qtest_main.h"
#include "steps/text_label.h"

#include <QImage>
#include <QLabel>
#include <QtTest/QTest>

#include <functional>
#include <memory>
#include <vector>

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

    // Labels remember their hints for earlier texts and share what they measured with labels
    // alike. Labels of every shape, asked in turn for the same texts, must each say what a plain
    // label of that shape says; so must one label after each change of its shape, font or margins.
    void remembersHintsOnlyForWhatTheyDependOn()
    {
        const QString texts[] = {QStringLiteral("Заработная плата педагогических работников за год"),
            QStringLiteral("Шаг 9"), QStringLiteral("Численность воспитанников в группах кратковременного пребывания")};
        const std::pair<const char*, std::function<void(QLabel&)>> shapes[] = {
            {"plain", [](QLabel&) {}},
            {"wrapping", [](QLabel& l) { l.setWordWrap(true); }},
            {"indent", [](QLabel& l) { l.setIndent(24); }},
            {"margin", [](QLabel& l) { l.setMargin(5); }},
            {"alignment", [](QLabel& l) { l.setAlignment(Qt::AlignRight | Qt::AlignTop); }},
            {"contents margins", [](QLabel& l) { l.setContentsMargins(16, 0, 0, 0); }},
            {"frame", [](QLabel& l) { l.setFrameShape(QFrame::Box); }},
            {"minimum width", [](QLabel& l) { l.setMinimumWidth(100); }},
            {"fixed width", [](QLabel& l) { l.setFixedWidth(60); }},
            {"maximum width", [](QLabel& l) {
                 l.setWordWrap(true);
                 l.setMaximumWidth(150);
             }},
            {"selectable", [](QLabel& l) { l.setTextInteractionFlags(Qt::TextSelectableByMouse); }},
            {"font", [](QLabel& l) {
                 QFont bold = l.font();
                 bold.setBold(true);
                 bold.setPointSize(bold.pointSize() + 3);
                 l.setFont(bold);
             }},
            {"rich text", [](QLabel& l) { l.setTextFormat(Qt::RichText); }},
            {"no wrapping", [](QLabel& l) { l.setWordWrap(false); }},
        };
        const auto same = [](TextLabel& ours, QLabel& plain, const char* shape) {
            for (int width : {40, 120, 333}) {
                QVERIFY2(ours.heightForWidth(width) == plain.heightForWidth(width), shape);
                QVERIFY2(ours.hasHeightForWidth() == plain.hasHeightForWidth(), shape);
            }
            QVERIFY2(ours.sizeHint() == plain.sizeHint(), shape);
            QVERIFY2(ours.minimumSizeHint() == plain.minimumSizeHint(), shape);
        };

        // A pair of labels per shape, all asked for each text in turn.
        std::vector<std::unique_ptr<TextLabel>> ours;
        std::vector<std::unique_ptr<QLabel>> plain;
        for (const auto& [name, setUp] : shapes) {
            ours.push_back(std::make_unique<TextLabel>(texts[0], nullptr));
            plain.push_back(std::make_unique<QLabel>(texts[0]));
            plain.back()->setTextFormat(Qt::PlainText);
            setUp(*ours.back());
            setUp(*plain.back());
        }
        for (int round = 0; round < 2; ++round)
            for (const QString& text : texts)
                for (std::size_t i = 0; i < ours.size(); ++i) {
                    ours[i]->setText(text);
                    plain[i]->setText(text);
                    same(*ours[i], *plain[i], shapes[i].first);
                }

        // One label through every change in turn.
        TextLabel one(texts[0], nullptr);
        QLabel twin(texts[0]);
        twin.setTextFormat(Qt::PlainText);
        for (const auto& [name, change] : shapes) {
            change(one);
            change(twin);
            for (int round = 0; round < 2; ++round)
                for (const QString& text : texts) {
                    one.setText(text);
                    twin.setText(text);
                    same(one, twin, name);
                }
        }
    }
};

KVARTON_QTEST_MAIN(TextLabelTest)
#include "text_label_test.moc"
