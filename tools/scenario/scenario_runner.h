#pragma once

#include <QString>
#include <QStringList>

class QObject;
class QWidget;

namespace kvarton {

class Wizard;

// Drives the real screens from a plain-text scenario, one command per line, and prints what a
// learner would see. See usage() for the commands.
class ScenarioRunner final {
public:
    enum Status { Ok = 0, ExpectationFailed = 1, CannotRun = 2 };

    explicit ScenarioRunner(Wizard& wizard);

    // The folder that relative paths of `choose-file` start from: the scenario file's own.
    void setBaseFolder(const QString& folder) { baseFolder_ = folder; }

    // Runs every line; stops at the first line that cannot run. Output of `dump` collects in output().
    Status run(const QString& script);
    // Runs one command line, then lets the program handle what it posted.
    Status runCommand(int lineNumber, const QString& line);
    const QString& output() const { return output_; }
    const QStringList& messages() const { return messages_; }
    void setProgramEnded() { ended_ = true; }

    static QString usage();

private:
    struct Target {
        QWidget* form = nullptr;
        QObject* control = nullptr;
    };

    Status runLine(int number, const QString& line);
    bool resolve(const QString& path, Target& target, QString& error) const;
    QWidget* findForm(const QString& name) const;
    static bool usable(const Target& t);
    static bool visible(const Target& t);
    static bool enabled(const Target& t);
    static QString shownText(const QObject* control);
    void dump(bool charts);
    void dumpForm(QWidget* form, bool charts);
    Status chooseFile(const QString& pattern, QString& error);
    QString answerFileQuestion();

    Wizard& wizard_;
    QString output_;
    QStringList messages_;
    bool ended_ = false;
    int line_ = 0;
    QString baseFolder_;
    QStringList fileAnswers_; // the answers of the next file dialogs; "" cancels one
    bool unansweredDialog_ = false;
};

} // namespace kvarton
