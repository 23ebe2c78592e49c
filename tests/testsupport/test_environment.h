#pragma once
// A clean process for one test: a temporary current directory (the program
// opens its data files by bare name), the ini file inside it, message boxes
// and process ends captured instead of shown or taken.
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QByteArray>

class TestEnvironment {
public:
    TestEnvironment();
    ~TestEnvironment();

    QString dir() const { return m_dir.path(); }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString iniPath() const { return path(QStringLiteral("veltrabasic.ini")); }

    void writeFile(const QString& name, const QByteArray& content) const;
    QByteArray readFile(const QString& name) const;
    // Copies a file of tests/data into the current directory.
    void copyTestData(const QString& name, const QString& as = QString()) const;

    QStringList messages;  // texts of the message boxes shown, in order
    QList<int> endedWith;  // exit codes of EndProcessNow calls

private:
    QTemporaryDir m_dir;
    QString m_oldCwd;
};

QString TestDataPath(const QString& name);

// Copies the run directory's data files (sound bank, braille table, key echo
// files) into the test's current directory, as the program finds them.
void CopyRunFiles(const TestEnvironment& env);
