// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSqlDatabase>
#include <QString>
#include <optional>

namespace kelmot {

// The journal's SQLite file as the program opens it: created private to the
// user, checked before it is trusted, brought up to the current schema. A
// damaged file is moved aside and a new one started; a file written by a
// newer program is only read. Every step's failure is said in `problem`.
class JournalFile {
public:
    static constexpr int SchemaVersion = 4;    // 2: drops; 3: swings; 4: other experiments' events
    static constexpr int BusyTimeoutMs = 5000; // another program's write may take this long

    explicit JournalFile(QString folder);
    ~JournalFile();
    JournalFile(const JournalFile&) = delete;
    JournalFile& operator=(const JournalFile&) = delete;

    // Opens (again, after a failure). True when the file can be read.
    bool open();
    // Opens to read only, as a reader beside a program that may be
    // measuring into the file: never moves, migrates or converts it. An
    // older schema is read as it is (its later tables read as empty), a
    // damaged file is only said to be damaged.
    bool openForReading();
    void close();
    bool isOpen() const { return db_.isValid() && db_.isOpen(); }
    bool readOnly() const { return readOnly_; }
    QSqlDatabase& database() { return db_; }
    QString path() const;
    QString folder() const { return folder_; }
    // Why the file cannot be used (or only read), in the program's language.
    QString problem() const { return problem_; }
    // What happened on opening that the user should hear once: a damaged
    // file moved aside, a newer file only read. Empty otherwise.
    QString notice() const { return notice_; }
    bool movedAside() const { return movedAside_; }

    // One consistent copy of the whole journal in one file at `target`
    // (the runs still in the write-ahead log included), private to the
    // user, synced, and put in place whole: a file already there is replaced
    // only by a complete copy. Nothing, or why not.
    std::optional<QString> copyTo(const QString& target);

    static QString fileName() { return QStringLiteral("runs.sqlite"); }

private:
    enum class Outcome { Usable, Damaged, Failed };
    // Closed, with nothing said yet: before each open.
    void startOver(bool readOnly);
    bool preparePrivateFile();
    Outcome tryOpen();
    bool connect(bool readOnly);
    Outcome migrate();
    std::optional<int> schemaVersion();
    bool addEmptyLaterTables(int found);
    bool switchToWriteAheadLog();
    bool execute(const QString& statement);
    QString moveAside();

    QString folder_;
    QString connection_;
    QSqlDatabase db_;
    bool readOnly_ = false;
    bool movedAside_ = false;
    QString problem_;
    QString notice_;
};

} // namespace kelmot
