// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "journal/journalfile.h"
#include "journal/runrecord.h"

#include <QByteArray>
#include <QList>
#include <QLockFile>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace kelmot {

// Every completed run, kept on disk the moment it ends, and the lesson as
// the store holds it, so that nothing is lost to a crash, a killed program
// or a power cut. Each program start is a session; one that did not end
// through "Ende" or the close box has its lesson brought back by the next.
// Lives on the window's thread (the database connection belongs to it).
class RunJournal {
public:
    // `folder` holds the journal; `programVersion` is written with each run.
    RunJournal(QString folder, QString programVersion);
    ~RunJournal();

    // Opens the file and starts this program's session; again after a
    // failure. True when runs are kept.
    bool open();
    // Opens the file to read runs only: no session, no lesson, and the file
    // never moved, migrated or converted (another program may measure into it).
    bool openForReading() { return file_.openForReading(); }
    // Whether opening found the file damaged and moved it aside.
    bool movedAside() const { return file_.movedAside(); }
    bool keeping() const;
    bool readable() const { return file_.isOpen(); }
    // Why runs are not kept, in the program's language; empty while they are.
    QString problem() const;
    // Said once after opening: a damaged file moved aside, a newer one read only.
    QString notice() const { return file_.notice(); }
    // The last time this program found the file damaged and moved it aside
    // (at start or while it measured), naming both files; empty if never.
    QString movedAsideNotice() const { return movedAsideNotice_; }
    // Counts those moves: a keeper that saw an older count has news to say.
    int movesAside() const { return movesAside_; }
    QString path() const { return file_.path(); }
    QString session() const { return session_; }

    // Keeps a completed run and the lesson as it stands with it, in one
    // transaction synced to disk; fills in the run's id. Nothing, or why not.
    std::optional<QString> keepRun(RunRecord& run, const QByteArray& lesson);
    // Several runs found together (a recording analysed) in one such
    // transaction: all of them, or none.
    std::optional<QString> keepRuns(std::span<RunRecord> runs, const QByteArray& lesson);
    // The lesson as it stands now (a load, a relationship, a switch).
    std::optional<QString> mirrorLesson(const QByteArray& lesson);
    // The newest lesson among the earlier starts that ended otherwise than
    // normally and are no longer running, whatever ran in between. It comes
    // back once only, and is this start's lesson from then on.
    std::optional<QByteArray> takeLessonToRecover();
    // "Ende" or the close box: the next start begins empty.
    void endSession();

    // Every run, newest first, without times: the list of all runs.
    std::vector<RunSummary> summaries() const;
    // Whole runs, oldest first; those begun at or after `sinceUtc` when given.
    std::vector<RunRecord> runs(const QDateTime& sinceUtc = {}) const;
    std::optional<RunRecord> run(qint64 id) const;
    std::optional<QString> rename(qint64 id, const QString& name);
    // Gone for good.
    std::optional<QString> remove(const QList<qint64>& ids);
    // One consistent copy of the whole journal in the one file `target`,
    // to keep elsewhere or open beside the program. Nothing, or why not.
    std::optional<QString> backUp(const QString& target) { return file_.copyTo(target); }

    // Counts this program's changes to the list of runs (kept, renamed,
    // deleted): a list that shows an older count is out of date.
    int revision() const { return revision_; }
    // Transactions this program has committed (runs kept, the lesson
    // mirrored): each is a synced write on the caller's thread.
    int commits() const { return commits_; }

    static QString utcText(const QDateTime& t);

private:
    // The run and its details into the open transaction; fills in its id.
    bool insertRun(QSqlDatabase& db, RunRecord& run, QString& why);
    bool startSession();
    QString lockPath(const QString& session) const;
    bool sessionRunning(const QString& session) const;
    std::vector<std::pair<QString, QByteArray>> sessionsOver() const;
    std::optional<QString> failed(const QString& why);

    JournalFile file_;
    QString programVersion_;
    QString session_;
    bool sessionStarted_ = false;
    std::unique_ptr<QLockFile> sessionLock_;
    QString writeProblem_;
    int revision_ = 0;
    int commits_ = 0;
    QString movedAsideNotice_;
    int movesAside_ = 0;
};

// Where the user's runs are kept: the data folder's "kelmot" ($XDG_DATA_HOME/kelmot).
QString journalFolder();

} // namespace kelmot
