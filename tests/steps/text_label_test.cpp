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
};

QTEST_MAIN(TextLabelTest)
#include "text_label_test.moc"
