#pragma once

#include <QMetaType>
#include <QString>

struct ToolResult;

// Why a job failed, as a user can act on it. The table in jobfailure.cpp gives each its sentence.
enum class FailureKind
{
    None,
    SourceMissing,
    SourceUnreadable, // damaged, or a format the tools cannot read
    NoContent,        // no picture or sound in it (or none of what was asked for)
    OutputNotWritable,
    DiskFull,
    ToolCrashed,
    ToolMissing,
    Stopped,
    LimitsExceeded, // the tools' resource policy
    PasswordProtected,
    TargetUnreachable, // the size asked for cannot be reached
    FactsUnknown,      // no length or bit rate to plan the job with
    Unsupported,       // a conversion the program does not do
    ToolFailed,        // none of the above is known
};

// A failed job's kind, and the tool's own line (or ours) as detail. Empty kind: no failure.
struct JobFailure
{
    FailureKind kind = FailureKind::None;
    QString detail;

    JobFailure() = default;
    JobFailure(FailureKind k, const QString& d = QString()) : kind(k), detail(d) {}

    bool isFailure() const { return kind != FailureKind::None; }
    // The sentence, then the detail on a second line when there is one.
    QString toolTip() const;

    static const QList<FailureKind>& allKinds();
    static QString sentence(FailureKind kind);

    // What the files say, asked first: the source gone or unreadable, the output folder shut.
    static FailureKind kindOfFiles(const QString& source, const QString& outputFolder);
    // What the launcher saw: a tool that never started or ended by a signal.
    static FailureKind kindOfRun(const ToolResult& result);
    // The known lines of the tools' error output; None when no known line is in it.
    static FailureKind kindOfToolText(const QString& text);
    // The three in that order, then ToolFailed.
    static FailureKind classify(const QString& source, const QString& outputFolder, const ToolResult* result,
                                const QString& toolText);
};

Q_DECLARE_METATYPE(FailureKind)
Q_DECLARE_METATYPE(JobFailure)
