// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/runkeeping.h"

#include "journal/lessonstate.h"
#include "store/version.h"

#include <cmath>

namespace kelmot {

RunKeeping::RunKeeping(RunJournal& journal, MeasurementStore& store, Context context)
    : journal_(journal), store_(store), context_(std::move(context)),
      movesAsideSaid_(journal.movesAside()) {}

RunRecord RunKeeping::recordOfNewestRun(const CompletedRun& run) const {
    RunRecord record;
    for (int k = 0; k < BarrierCount; ++k) {
        record.darkTimes[k] = store_.RunTimes[0][k];
        record.brightTimes[k] = store_.RunTimes[1][k];
    }
    record.number = store_.MeasurementNumber;
    record.name = store_.SeriesName[0];
    record.kind = QString::fromLatin1(run.withBrightTimes ? KindVt : KindSt);
    record.resolution = store_.SeriesResolution[0];
    record.flagWidthMm = context_.flagWidth ? context_.flagWidth() : QString();
    stamp(record);
    return record;
}

void RunKeeping::stamp(RunRecord& record) const {
    // The run ended with its last bright edge, a moment ago; it began its
    // duration before that, by the sound card's clock.
    record.endedUtc = QDateTime::currentDateTimeUtc();
    const double duration = record.durationSeconds();
    record.startedUtc =
        std::isfinite(duration) && duration > 0
            ? record.endedUtc.addMSecs(-static_cast<qint64>(std::llround(duration * 1000)))
            : record.endedUtc;
    record.utcOffsetSeconds = QDateTime::currentDateTime().offsetFromUtc();
    record.threshold = store_.Threshold;
    if (record.source.isEmpty()) // the one-barrier windows name their own
        record.source = context_.source ? context_.source() : QString();
    record.programVersion = QString::fromLatin1(ProgramVersion);
}

std::optional<QString> RunKeeping::keep(RunRecord& record) {
    // With the lesson as the store holds it (a drop or a swing leaves it as it was).
    const QByteArray lesson = lessonState(store_);
    auto failure = journal_.keepRun(record, lesson);
    if (!failure) mirrored_ = lesson;
    return failure;
}

std::optional<QString> RunKeeping::keepRecord(RunRecord& record) {
    stamp(record);
    return keep(record);
}

std::optional<QString> RunKeeping::keepRun(const CompletedRun& run) {
    RunRecord record = recordOfNewestRun(run);
    return keep(record);
}

std::optional<QString> RunKeeping::problem() const {
    if (journal_.keeping()) return std::nullopt;
    return journal_.problem();
}

std::optional<QString> RunKeeping::takeNotice() {
    if (journal_.movesAside() == movesAsideSaid_) return std::nullopt;
    movesAsideSaid_ = journal_.movesAside();
    return journal_.movedAsideNotice();
}

void RunKeeping::storeChanged() {
    if (!recoveryTried_ || (context_.runUnderway && context_.runUnderway())) return;
    const QByteArray lesson = lessonState(store_);
    if (lesson == mirrored_) return;
    // Only a journal that works is written to here: a failing one is tried
    // again at the next run, which says why it fails.
    if (!journal_.keeping()) return;
    if (!journal_.mirrorLesson(lesson)) mirrored_ = lesson;
}

bool RunKeeping::recoverLesson() {
    recoveryTried_ = true;
    const auto lesson = journal_.takeLessonToRecover();
    if (!lesson || !lessonHasSeries(*lesson)) return false;
    if (!restoreLesson(*lesson, store_)) return false;
    // This start carries the lesson on: a second crash brings it back too.
    storeChanged();
    return true;
}

} // namespace kelmot
