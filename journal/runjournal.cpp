// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/runjournal.h"

#include "journal/timestext.h"

#include <QCoreApplication>
#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QUuid>
#include <QVariant>

namespace kelmot {

namespace {

QDateTime fromUtcText(const QString& text) {
    QDateTime t = QDateTime::fromString(text, Qt::ISODateWithMs);
    t.setTimeSpec(Qt::UTC);
    return t;
}

// Qt binds a null text as NULL; the journal's texts are never NULL.
QString text(const QString& s) {
    return s.isNull() ? QStringLiteral("") : s;
}

// A run with its drop's bands where it is a drop, its passages where it is a swing.
constexpr char SelectRuns[] =
    "SELECT r.id, r.started_utc, r.ended_utc, r.utc_offset, r.number, r.name, r.kind, "
    "r.resolution, r.threshold, r.dark_times, r.bright_times, r.flag_width, r.source, "
    "r.program_version, r.session, d.bands, d.pitch_mm, d.band_width_mm, d.complete, "
    "d.dark_times, d.bright_times, s.length_mm, s.length_uncertainty_mm, s.bob_width_mm, "
    "s.periods, s.complete, s.dark_times, s.bright_times, e.setup, e.step_m, e.complete, "
    "e.dark_times, e.bright_times FROM runs r "
    "LEFT JOIN drops d ON d.run_id = r.id LEFT JOIN swings s ON s.run_id = r.id "
    "LEFT JOIN experiment_events e ON e.run_id = r.id";

// A drop's or a swing's times: as many as it saw bands or passages; nothing from a field another
// program spoiled.
std::vector<double> dropTimes(const QString& text) {
    std::vector<double> times(std::size_t(text.count(u' ') + 1));
    if (text.isEmpty() || !readTimesText(text, times)) return {};
    return times;
}

RunRecord runFrom(const QSqlQuery& q) {
    RunRecord run;
    run.id = q.value(0).toLongLong();
    run.startedUtc = fromUtcText(q.value(1).toString());
    run.endedUtc = fromUtcText(q.value(2).toString());
    run.utcOffsetSeconds = q.value(3).toInt();
    run.number = q.value(4).toInt();
    run.name = q.value(5).toString();
    run.kind = q.value(6).toString();
    run.resolution = q.value(7).toInt();
    run.threshold = q.value(8).toInt();
    // A field another program spoiled reads as zeros rather than stopping the list.
    if (!readTimesText(q.value(9).toString(), run.darkTimes))
        std::fill_n(run.darkTimes, BarrierCount, 0.0);
    if (!readTimesText(q.value(10).toString(), run.brightTimes))
        std::fill_n(run.brightTimes, BarrierCount, 0.0);
    run.flagWidthMm = q.value(11).toString();
    run.source = q.value(12).toString();
    run.programVersion = q.value(13).toString();
    run.session = q.value(14).toString();
    if (!q.value(15).isNull()) {
        DropRecord drop;
        drop.bands = q.value(15).toInt();
        drop.pitchMm = q.value(16).toDouble();
        drop.bandWidthMm = q.value(17).toDouble();
        drop.complete = q.value(18).toBool();
        drop.darkTimes = dropTimes(q.value(19).toString());
        drop.brightTimes = dropTimes(q.value(20).toString());
        if (drop.darkTimes.size() != drop.brightTimes.size())
            drop.darkTimes = drop.brightTimes = {};
        run.drop = std::move(drop);
    }
    if (!q.value(21).isNull()) {
        SwingRecord swing;
        swing.lengthMm = q.value(21).toDouble();
        swing.lengthUncertaintyMm = q.value(22).toDouble();
        swing.bobWidthMm = q.value(23).toDouble();
        swing.periods = q.value(24).toInt();
        swing.complete = q.value(25).toBool();
        swing.darkTimes = dropTimes(q.value(26).toString());
        swing.brightTimes = dropTimes(q.value(27).toString());
        if (swing.darkTimes.size() != swing.brightTimes.size())
            swing.darkTimes = swing.brightTimes = {};
        run.swing = std::move(swing);
    }
    if (!q.isNull(28)) {
        EventsRecord events;
        events.setup = q.value(28).toString();
        events.stepM = q.value(29).toDouble();
        events.complete = q.value(30).toBool();
        events.darkTimes = dropTimes(q.value(31).toString());
        events.brightTimes = dropTimes(q.value(32).toString());
        if (events.darkTimes.size() != events.brightTimes.size())
            events.darkTimes = events.brightTimes = {};
        run.events = std::move(events);
    }
    return run;
}

} // namespace

QString journalFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("kelmot"));
}

QString RunJournal::utcText(const QDateTime& t) {
    return t.toUTC().toString(Qt::ISODateWithMs);
}

RunJournal::RunJournal(QString folder, QString programVersion)
    : file_(std::move(folder)), programVersion_(std::move(programVersion)),
      session_(QUuid::createUuid().toString(QUuid::WithoutBraces)) {}

RunJournal::~RunJournal() = default;

bool RunJournal::open() {
    writeProblem_.clear();
    const bool opened = file_.open();
    if (file_.movedAside()) {
        movedAsideNotice_ = file_.notice();
        ++movesAside_;
        // A new file knows nothing of this start: its row goes in again, so
        // that the lesson goes on being mirrored and comes back after a crash.
        sessionStarted_ = false;
    }
    if (!opened || file_.readOnly()) return false;
    return startSession();
}

bool RunJournal::keeping() const {
    return file_.isOpen() && !file_.readOnly() && sessionStarted_ && writeProblem_.isEmpty();
}

QString RunJournal::problem() const {
    if (!writeProblem_.isEmpty()) return writeProblem_;
    return file_.problem();
}

QString RunJournal::lockPath(const QString& session) const {
    return QDir(file_.folder()).filePath(QStringLiteral("session-%1.lock").arg(session));
}

bool RunJournal::startSession() {
    if (sessionStarted_) return true;
    // The lock says "this start is still running" to a second program; the
    // system lets it go with the process, however that ends.
    if (!sessionLock_) {
        sessionLock_ = std::make_unique<QLockFile>(lockPath(session_));
        sessionLock_->setStaleLockTime(0);
        sessionLock_->tryLock(0);
    }
    QSqlQuery q(file_.database());
    q.prepare(QStringLiteral("INSERT OR IGNORE INTO sessions (id, started_utc) VALUES (?, ?)"));
    q.addBindValue(session_);
    q.addBindValue(utcText(QDateTime::currentDateTimeUtc()));
    if (!q.exec()) return !failed(q.lastError().text());
    sessionStarted_ = true;
    return true;
}

bool RunJournal::sessionRunning(const QString& session) const {
    QLockFile lock(lockPath(session));
    lock.setStaleLockTime(0); // only a process that is gone leaves a stale lock
    if (!lock.tryLock(0)) return lock.error() == QLockFile::LockFailedError;
    lock.unlock(); // and removes it: that start is over
    return false;
}

std::optional<QString> RunJournal::failed(const QString& why) {
    writeProblem_ =
        QCoreApplication::translate("RunJournal", "Die Messungen werden nicht aufbewahrt: %1")
            .arg(why);
    return writeProblem_;
}

namespace {

// One statement with its values; on failure, false and why.
bool execute(QSqlDatabase& db, const QString& sql, const QVariantList& values, QString& why,
             qint64* insertedId = nullptr) {
    QSqlQuery q(db);
    q.prepare(sql);
    for (const QVariant& value : values)
        q.addBindValue(value);
    if (!q.exec()) {
        why = q.lastError().text();
        return false;
    }
    if (insertedId) *insertedId = q.lastInsertId().toLongLong();
    return true;
}

// A one-barrier record's own times and setup, beside its row in runs.
bool keepDetails(QSqlDatabase& db, const RunRecord& run, qint64 id, QString& why) {
    bool ok = true;
    if (run.drop) {
        const DropRecord& d = *run.drop;
        ok = execute(db,
                     QStringLiteral("INSERT INTO drops (run_id, bands, pitch_mm, band_width_mm, "
                                    "complete, dark_times, bright_times) "
                                    "VALUES (?, ?, ?, ?, ?, ?, ?)"),
                     {id, d.bands, d.pitchMm, d.bandWidthMm, d.complete ? 1 : 0,
                      timesText(d.darkTimes), timesText(d.brightTimes)},
                     why);
    }
    if (ok && run.swing) {
        const SwingRecord& w = *run.swing;
        ok = execute(db,
                     QStringLiteral("INSERT INTO swings (run_id, length_mm, length_uncertainty_mm, "
                                    "bob_width_mm, periods, complete, dark_times, bright_times) "
                                    "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                     {id, w.lengthMm, w.lengthUncertaintyMm, w.bobWidthMm, w.periods,
                      w.complete ? 1 : 0, timesText(w.darkTimes), timesText(w.brightTimes)},
                     why);
    }
    if (ok && run.events) {
        const EventsRecord& e = *run.events;
        ok = execute(db,
                     QStringLiteral("INSERT INTO experiment_events (run_id, setup, step_m, "
                                    "complete, dark_times, bright_times) "
                                    "VALUES (?, ?, ?, ?, ?, ?)"),
                     {id, text(e.setup), e.stepM, e.complete ? 1 : 0, timesText(e.darkTimes),
                      timesText(e.brightTimes)},
                     why);
    }
    return ok;
}

} // namespace

bool RunJournal::insertRun(QSqlDatabase& db, RunRecord& run, QString& why) {
    qint64 id = 0;
    const QVariantList values{
        utcText(run.startedUtc),
        utcText(run.endedUtc),
        run.utcOffsetSeconds,
        run.number,
        text(run.name),
        text(run.kind),
        run.resolution,
        run.threshold,
        timesText(run.darkTimes),
        timesText(run.brightTimes),
        run.durationSeconds(),
        text(run.flagWidthMm),
        text(run.source),
        text(run.programVersion.isEmpty() ? programVersion_ : run.programVersion),
        session_};
    const bool ok =
        execute(db,
                QStringLiteral("INSERT INTO runs (started_utc, ended_utc, utc_offset, number, "
                               "name, kind, resolution, threshold, dark_times, bright_times, "
                               "duration, flag_width, source, program_version, session) "
                               "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                values, why, &id) &&
        keepDetails(db, run, id, why);
    if (ok) run.id = id;
    return ok;
}

std::optional<QString> RunJournal::keepRun(RunRecord& run, const QByteArray& lesson) {
    return keepRuns(std::span<RunRecord>(&run, 1), lesson);
}

std::optional<QString> RunJournal::keepRuns(std::span<RunRecord> runs, const QByteArray& lesson) {
    // A journal that failed before is tried again: the disk may have room now.
    if (!keeping() && !open()) return problem();
    QSqlDatabase& db = file_.database();
    QString why;
    if (!execute(db, QStringLiteral("BEGIN IMMEDIATE"), {}, why)) return failed(why);
    bool ok = true;
    for (RunRecord& run : runs)
        ok = ok && insertRun(db, run, why);
    ok = ok &&
         execute(db, QStringLiteral("UPDATE sessions SET lesson = ? WHERE id = ?"),
                 {lesson, session_}, why) &&
         execute(db, QStringLiteral("COMMIT"), {}, why);
    if (!ok) {
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        for (RunRecord& run : runs)
            run.id = 0;
        return failed(why);
    }
    for (RunRecord& run : runs)
        if (run.session.isEmpty()) run.session = session_;
    writeProblem_.clear();
    ++revision_;
    ++commits_;
    return std::nullopt;
}

std::optional<QString> RunJournal::mirrorLesson(const QByteArray& lesson) {
    if (!keeping() && !open()) return problem();
    QSqlQuery q(file_.database());
    q.prepare(QStringLiteral("UPDATE sessions SET lesson = ? WHERE id = ?"));
    q.addBindValue(lesson);
    q.addBindValue(session_);
    if (!q.exec()) return failed(q.lastError().text());
    ++commits_;
    return std::nullopt;
}

// Every earlier start that neither ended normally nor is still running
// (another program's lock), newest first, with its lesson where it has one.
std::vector<std::pair<QString, QByteArray>> RunJournal::sessionsOver() const {
    std::vector<std::pair<QString, QByteArray>> over;
    QSqlQuery q(const_cast<JournalFile&>(file_).database());
    q.prepare(QStringLiteral("SELECT id, lesson FROM sessions WHERE id <> ? AND ended_cleanly = 0 "
                             "AND recovered = 0 ORDER BY started_utc DESC, rowid DESC"));
    q.addBindValue(session_);
    if (!q.exec()) return over;
    while (q.next())
        if (!sessionRunning(q.value(0).toString()))
            over.emplace_back(q.value(0).toString(), q.value(1).toByteArray());
    return over;
}

std::optional<QByteArray> RunJournal::takeLessonToRecover() {
    if (!keeping()) return std::nullopt;
    QSqlDatabase& db = file_.database();
    QString why;
    // Under the write lock: two starts never both take the same lesson.
    if (!execute(db, QStringLiteral("BEGIN IMMEDIATE"), {}, why)) return std::nullopt;
    // The newest lesson among all of them, whatever ran in between: a start
    // that was killed before it had a lesson, another program that ended
    // normally, an analysis. Those without one bring nothing back.
    std::optional<QByteArray> lesson;
    bool ok = true;
    for (const auto& [id, held] : sessionsOver()) {
        if (!lesson && !held.isEmpty()) lesson = held;
        ok = ok && execute(db, QStringLiteral("UPDATE sessions SET recovered = 1 WHERE id = ?"),
                           {id}, why);
    }
    // Taken over in the same transaction: killed a moment later, this start
    // hands the lesson on to the next instead of losing it.
    if (lesson)
        ok = ok && execute(db, QStringLiteral("UPDATE sessions SET lesson = ? WHERE id = ?"),
                           {*lesson, session_}, why);
    if (!ok || !execute(db, QStringLiteral("COMMIT"), {}, why)) {
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        return std::nullopt;
    }
    return lesson;
}

void RunJournal::endSession() {
    if (!keeping() && !sessionStarted_) return;
    QSqlQuery q(file_.database());
    q.prepare(QStringLiteral("UPDATE sessions SET ended_cleanly = 1 WHERE id = ?"));
    q.addBindValue(session_);
    q.exec();
    if (sessionLock_) sessionLock_->unlock();
}

std::vector<RunSummary> RunJournal::summaries() const {
    std::vector<RunSummary> list;
    if (!file_.isOpen()) return list;
    QSqlQuery q(const_cast<JournalFile&>(file_).database());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT id, started_utc, utc_offset, name, kind, resolution, "
                               "flag_width, source, duration FROM runs ORDER BY id DESC")))
        return list;
    while (q.next()) {
        RunSummary s;
        s.id = q.value(0).toLongLong();
        s.startedLocal = fromUtcText(q.value(1).toString()).toOffsetFromUtc(q.value(2).toInt());
        s.name = q.value(3).toString();
        s.kind = q.value(4).toString();
        s.resolution = q.value(5).toInt();
        s.flagWidthMm = q.value(6).toString();
        s.source = q.value(7).toString();
        s.durationSeconds = q.value(8).toDouble();
        list.push_back(std::move(s));
    }
    return list;
}

std::vector<RunRecord> RunJournal::runs(const QDateTime& sinceUtc) const {
    std::vector<RunRecord> list;
    if (!file_.isOpen()) return list;
    QSqlQuery q(const_cast<JournalFile&>(file_).database());
    q.setForwardOnly(true);
    q.prepare(
        QStringLiteral("%1 WHERE r.started_utc >= ? ORDER BY r.id").arg(QLatin1String(SelectRuns)));
    // An empty text (not a null one: NULL compares with nothing) comes before every time.
    q.addBindValue(sinceUtc.isValid() ? utcText(sinceUtc) : QStringLiteral(""));
    if (!q.exec()) return list;
    while (q.next())
        list.push_back(runFrom(q));
    return list;
}

std::optional<RunRecord> RunJournal::run(qint64 id) const {
    if (!file_.isOpen()) return std::nullopt;
    QSqlQuery q(const_cast<JournalFile&>(file_).database());
    q.prepare(QStringLiteral("%1 WHERE r.id = ?").arg(QLatin1String(SelectRuns)));
    q.addBindValue(id);
    if (!q.exec() || !q.next()) return std::nullopt;
    return runFrom(q);
}

std::optional<QString> RunJournal::rename(qint64 id, const QString& name) {
    if (!keeping() && !open()) return problem();
    QSqlQuery q(file_.database());
    q.prepare(QStringLiteral("UPDATE runs SET name = ? WHERE id = ?"));
    q.addBindValue(name);
    q.addBindValue(id);
    if (!q.exec()) return failed(q.lastError().text());
    ++revision_;
    return std::nullopt;
}

std::optional<QString> RunJournal::remove(const QList<qint64>& ids) {
    if (!keeping() && !open()) return problem();
    QSqlDatabase& db = file_.database();
    if (!QSqlQuery(db).exec(QStringLiteral("BEGIN IMMEDIATE")))
        return failed(db.lastError().text());
    for (const qint64 id : ids) {
        QSqlQuery q(db);
        q.prepare(QStringLiteral("DELETE FROM runs WHERE id = ?"));
        q.addBindValue(id);
        QSqlQuery drop(db); // a drop's bands go with it
        drop.prepare(QStringLiteral("DELETE FROM drops WHERE run_id = ?"));
        drop.addBindValue(id);
        QSqlQuery swing(db); // and a swing's passages
        swing.prepare(QStringLiteral("DELETE FROM swings WHERE run_id = ?"));
        swing.addBindValue(id);
        QSqlQuery events(db); // and any other experiment's events
        events.prepare(QStringLiteral("DELETE FROM experiment_events WHERE run_id = ?"));
        events.addBindValue(id);
        if (!q.exec() || !drop.exec() || !swing.exec() || !events.exec()) {
            QString why;
            for (const QSqlQuery* each : {&q, &drop, &swing, &events})
                if (why.isEmpty()) why = each->lastError().text();
            QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
            return failed(why);
        }
    }
    QSqlQuery commit(db);
    if (!commit.exec(QStringLiteral("COMMIT"))) {
        const QString why = commit.lastError().text();
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        return failed(why);
    }
    ++revision_;
    return std::nullopt;
}

} // namespace kelmot
