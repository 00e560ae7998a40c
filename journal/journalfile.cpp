// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/journalfile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QThread>
#include <QUuid>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace kelmot {

namespace {

// SQLite's primary result codes for a file that is no database or is damaged.
bool meansDamaged(const QSqlError& error) {
    const int code = error.nativeErrorCode().toInt() & 0xff;
    return code == 11 /* SQLITE_CORRUPT */ || code == 26 /* SQLITE_NOTADB */;
}

bool startsLikeSqlite(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return true; // unreadable: SQLite says why
    const QByteArray head = file.read(16);
    // An empty file is a database nobody has written to yet.
    return head.isEmpty() || head == QByteArray("SQLite format 3\0", 16);
}

constexpr QFileDevice::Permissions OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

} // namespace

JournalFile::JournalFile(QString folder)
    : folder_(std::move(folder)), connection_(QStringLiteral("kelmot-journal-") +
                                              QUuid::createUuid().toString(QUuid::WithoutBraces)) {}

JournalFile::~JournalFile() {
    close();
}

QString JournalFile::path() const {
    return QDir(folder_).filePath(fileName());
}

void JournalFile::close() {
    if (db_.isValid()) {
        db_.close();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(connection_);
    }
}

void JournalFile::startOver(bool readOnly) {
    close();
    problem_.clear();
    notice_.clear();
    readOnly_ = readOnly;
    movedAside_ = false;
}

bool JournalFile::open() {
    startOver(false);
    switch (tryOpen()) {
    case Outcome::Usable:
        return true;
    case Outcome::Failed:
        close();
        return false;
    case Outcome::Damaged:
        break;
    }
    // A damaged file is kept for whoever wants to look at it; the runs
    // from now on go into a new one.
    close();
    const QString aside = moveAside();
    if (aside.isEmpty()) return false;
    movedAside_ = true;
    notice_ = QCoreApplication::translate(
                  "JournalFile",
                  "Das Messungsjournal \"%1\" war beschädigt und liegt jetzt als \"%2\"; ein neues "
                  "Journal ist angelegt.")
                  .arg(path(), aside);
    if (tryOpen() == Outcome::Usable) return true;
    close();
    return false;
}

// The folder and the file, both readable by the user alone; false with the
// problem said when either cannot be made.
bool JournalFile::preparePrivateFile() {
    if (!QDir().mkpath(folder_)) {
        problem_ = QCoreApplication::translate("JournalFile",
                                               "Der Ordner \"%1\" lässt sich nicht anlegen.")
                       .arg(folder_);
        return false;
    }
    QFile::setPermissions(folder_, OwnerOnly | QFileDevice::ExeOwner);
    if (!QFile::exists(path())) {
        // Created private before SQLite sees it: its WAL and shared-memory
        // files take the same permissions.
        QFile file(path());
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            file.setPermissions(OwnerOnly);
        } else if (!QFile::exists(path())) { // not another program's, created this moment
            problem_ = QCoreApplication::translate("JournalFile",
                                                   "Die Datei \"%1\" lässt sich nicht anlegen: %2")
                           .arg(path(), file.errorString());
            return false;
        }
    }
    return true;
}

JournalFile::Outcome JournalFile::tryOpen() {
    if (!preparePrivateFile()) return Outcome::Failed;
    if (!startsLikeSqlite(path())) return Outcome::Damaged;
    if (!connect(false)) return Outcome::Failed;

    QSqlQuery version(db_);
    if (!version.exec(QStringLiteral("PRAGMA user_version")) || !version.next()) {
        if (meansDamaged(version.lastError())) return Outcome::Damaged;
        problem_ = version.lastError().text();
        return Outcome::Failed;
    }
    const int found = version.value(0).toInt();
    version.finish();
    if (found > SchemaVersion) {
        // Ours to read, not to change: the newer program knows its schema.
        close();
        if (!connect(true)) return Outcome::Failed;
        readOnly_ = true;
        problem_ =
            QCoreApplication::translate(
                "JournalFile",
                "Das Messungsjournal \"%1\" stammt von einer neueren Programmversion und wird "
                "nur gelesen.")
                .arg(path());
        notice_ = problem_;
        return Outcome::Usable;
    }

    QSqlQuery check(db_);
    if (!check.exec(QStringLiteral("PRAGMA integrity_check")) || !check.next()) {
        if (meansDamaged(check.lastError())) return Outcome::Damaged;
        problem_ = check.lastError().text();
        return Outcome::Failed;
    }
    if (check.value(0).toString() != QLatin1String("ok")) return Outcome::Damaged;
    check.finish();

    // A commit is on the disk before the call returns: a run the window
    // calls ended survives a killed program and a power cut.
    if (!switchToWriteAheadLog() || !execute(QStringLiteral("PRAGMA synchronous=FULL")))
        return Outcome::Failed;
    return migrate();
}

bool JournalFile::connect(bool readOnly) {
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    if (!db_.isValid()) {
        problem_ = QCoreApplication::translate(
            "JournalFile", "Qt hat keinen SQLite-Treiber (Paket libqt6sql6-sqlite).");
        return false;
    }
    db_.setDatabaseName(path());
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs);
    if (readOnly) options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    db_.setConnectOptions(options);
    if (!db_.open()) {
        problem_ = db_.lastError().text();
        return false;
    }
    return true;
}

// The switch needs the file to itself and SQLite does not wait for it: a
// second program opening a new journal at the same moment finds it busy
// until the first has switched, and then finds it switched.
bool JournalFile::switchToWriteAheadLog() {
    QDeadlineTimer deadline(BusyTimeoutMs);
    for (;;) {
        QSqlQuery mode(db_);
        if (mode.exec(QStringLiteral("PRAGMA journal_mode=WAL")) && mode.next() &&
            mode.value(0).toString() == QLatin1String("wal"))
            return true;
        const QSqlError error = mode.lastError();
        const bool busy = (error.nativeErrorCode().toInt() & 0xff) == 5; // SQLITE_BUSY
        if (!busy || deadline.hasExpired()) {
            problem_ = error.text();
            return false;
        }
        QThread::msleep(10);
    }
}

bool JournalFile::execute(const QString& statement) {
    QSqlQuery query(db_);
    if (query.exec(statement)) return true;
    problem_ = query.lastError().text();
    return false;
}

namespace {

// What each version of the schema adds, oldest first.
struct SchemaStep {
    int version;
    QStringList statements;
};

const std::vector<SchemaStep>& schemaSteps() {
    static const std::vector<SchemaStep> steps{
        {1,
         {QStringLiteral("CREATE TABLE runs ("
                         " id INTEGER PRIMARY KEY,"
                         " started_utc TEXT NOT NULL,"
                         " ended_utc TEXT NOT NULL,"
                         " utc_offset INTEGER NOT NULL,"
                         " number INTEGER NOT NULL,"
                         " name TEXT NOT NULL,"
                         " kind TEXT NOT NULL,"
                         " resolution INTEGER NOT NULL,"
                         " threshold INTEGER NOT NULL,"
                         " dark_times TEXT NOT NULL,"
                         " bright_times TEXT NOT NULL,"
                         " duration REAL NOT NULL,"
                         " flag_width TEXT NOT NULL,"
                         " source TEXT NOT NULL,"
                         " program_version TEXT NOT NULL,"
                         " session TEXT NOT NULL)"),
          QStringLiteral("CREATE INDEX runs_by_start ON runs(started_utc)"),
          QStringLiteral("CREATE TABLE sessions ("
                         " id TEXT PRIMARY KEY,"
                         " started_utc TEXT NOT NULL,"
                         " ended_cleanly INTEGER NOT NULL DEFAULT 0,"
                         " recovered INTEGER NOT NULL DEFAULT 0,"
                         " lesson BLOB)")}},
        // A drop's bands, as many as the fence has, beside its row in runs.
        {2,
         {QStringLiteral("CREATE TABLE drops ("
                         " run_id INTEGER PRIMARY KEY,"
                         " bands INTEGER NOT NULL,"
                         " pitch_mm REAL NOT NULL,"
                         " band_width_mm REAL NOT NULL,"
                         " complete INTEGER NOT NULL,"
                         " dark_times TEXT NOT NULL,"
                         " bright_times TEXT NOT NULL)")}},
        // A swing's passages and its pendulum, beside its row in runs.
        {3,
         {QStringLiteral("CREATE TABLE swings ("
                         " run_id INTEGER PRIMARY KEY,"
                         " length_mm REAL NOT NULL,"
                         " length_uncertainty_mm REAL NOT NULL,"
                         " bob_width_mm REAL NOT NULL,"
                         " periods INTEGER NOT NULL,"
                         " complete INTEGER NOT NULL,"
                         " dark_times TEXT NOT NULL,"
                         " bright_times TEXT NOT NULL)")}},
        // Every later experiment's events and its setup, beside its row in runs.
        {4,
         {QStringLiteral("CREATE TABLE experiment_events ("
                         " run_id INTEGER PRIMARY KEY,"
                         " setup TEXT NOT NULL,"
                         " step_m REAL NOT NULL,"
                         " complete INTEGER NOT NULL,"
                         " dark_times TEXT NOT NULL,"
                         " bright_times TEXT NOT NULL)")}},
    };
    return steps;
}

} // namespace

// The schema version, read inside the caller's transaction.
std::optional<int> JournalFile::schemaVersion() {
    QSqlQuery version(db_);
    if (!version.exec(QStringLiteral("PRAGMA user_version")) || !version.next()) {
        problem_ = version.lastError().text();
        return std::nullopt;
    }
    return version.value(0).toInt();
}

JournalFile::Outcome JournalFile::migrate() {
    // The write lock first, the version then: two programs starting at once
    // would otherwise both read an old version and both create the tables.
    if (!execute(QStringLiteral("BEGIN IMMEDIATE"))) return Outcome::Failed;
    const std::optional<int> read = schemaVersion();
    if (read == SchemaVersion) {
        execute(QStringLiteral("COMMIT"));
        return Outcome::Usable;
    }
    // Forward only, each step in the transaction that also sets the version:
    // a program killed halfway leaves the file as it was.
    const int found = read.value_or(SchemaVersion);
    bool ok = read.has_value();
    for (const SchemaStep& step : schemaSteps())
        if (step.version > found)
            for (const QString& statement : step.statements)
                ok = ok && execute(statement);
    ok = ok && execute(QStringLiteral("PRAGMA user_version=%1").arg(SchemaVersion)) &&
         execute(QStringLiteral("COMMIT"));
    if (!ok) {
        const QString why = problem_;
        execute(QStringLiteral("ROLLBACK"));
        problem_ = why;
        return Outcome::Failed;
    }
    return Outcome::Usable;
}

bool JournalFile::openForReading() {
    startOver(true);
    const QString damaged =
        QCoreApplication::translate("JournalFile", "Das Messungsjournal \"%1\" ist beschädigt.")
            .arg(path());
    if (!QFile::exists(path())) {
        problem_ =
            QCoreApplication::translate("JournalFile", "Das Messungsjournal \"%1\" gibt es nicht.")
                .arg(path());
        return false;
    }
    if (!startsLikeSqlite(path())) {
        problem_ = damaged;
        return false;
    }
    if (!connect(true)) return false;
    // One read transaction for the version and the check.
    QSqlQuery version(db_), check(db_);
    const bool read = version.exec(QStringLiteral("PRAGMA user_version")) && version.next();
    const std::optional<int> found = read ? std::optional(version.value(0).toInt()) : std::nullopt;
    const bool checked = found && check.exec(QStringLiteral("PRAGMA integrity_check")) &&
                         check.next() && check.value(0).toString() == QLatin1String("ok");
    if (!checked) {
        const QSqlError error = found ? check.lastError() : version.lastError();
        problem_ =
            error.type() == QSqlError::NoError || meansDamaged(error) ? damaged : error.text();
        close();
        return false;
    }
    version.finish();
    check.finish();
    if (*found > SchemaVersion)
        notice_ = QCoreApplication::translate(
                      "JournalFile",
                      "Das Messungsjournal \"%1\" stammt von einer neueren Programmversion und "
                      "wird nur gelesen.")
                      .arg(path());
    if (*found < SchemaVersion && !addEmptyLaterTables(*found)) {
        close();
        return false;
    }
    return true;
}

// The tables later schemas add, empty and in the connection's own temporary
// database: the readers' queries find them, the file stays as it is.
bool JournalFile::addEmptyLaterTables(int found) {
    for (const SchemaStep& step : schemaSteps())
        if (step.version > found)
            for (QString statement : step.statements)
                if (statement.startsWith(QLatin1String("CREATE TABLE ")) &&
                    !execute(statement.replace(0, 13, QStringLiteral("CREATE TEMP TABLE "))))
                    return false;
    return true;
}

std::optional<QString> JournalFile::copyTo(const QString& target) {
    const QFileInfo where(target);
    const QString part =
        QDir(where.absolutePath())
            .filePath(QStringLiteral(".%1.%2.part")
                          .arg(where.fileName(), QUuid::createUuid().toString(QUuid::Id128)));
    if (!isOpen()) return problem_;
    QSqlQuery copy(db_);
    copy.prepare(QStringLiteral("VACUUM INTO ?"));
    copy.addBindValue(part);
    if (!copy.exec()) {
        QFile::remove(part);
        return copy.lastError().text();
    }
    QFile written(part);
    const bool synced = written.open(QIODevice::ReadWrite) && ::fsync(written.handle()) == 0;
    written.close();
    written.setPermissions(OwnerOnly);
    if (!synced || std::rename(QFile::encodeName(part).constData(),
                               QFile::encodeName(target).constData()) != 0) {
        const QString why = std::strerror(errno);
        QFile::remove(part);
        return QCoreApplication::translate("JournalFile",
                                           "Die Datei \"%1\" lässt sich nicht schreiben: %2")
            .arg(target, why);
    }
    return std::nullopt;
}

QString JournalFile::moveAside() {
    const QString stamp =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    QString aside;
    for (int n = 1;; ++n) {
        const QString name = n == 1 ? QStringLiteral("runs-broken-%1.sqlite").arg(stamp)
                                    : QStringLiteral("runs-broken-%1-%2.sqlite").arg(stamp).arg(n);
        aside = QDir(folder_).filePath(name);
        if (!QFile::exists(aside)) break;
    }
    if (!QFile::rename(path(), aside)) {
        problem_ = QCoreApplication::translate(
                       "JournalFile",
                       "Das beschädigte Messungsjournal \"%1\" lässt sich nicht beiseitelegen.")
                       .arg(path());
        return {};
    }
    // Its write-ahead log belongs to it, not to the new file.
    for (const char* suffix : {"-wal", "-shm"}) {
        const QString companion = path() + QLatin1String(suffix);
        if (QFile::exists(companion)) QFile::rename(companion, aside + QLatin1String(suffix));
    }
    return aside;
}

} // namespace kelmot
