#pragma once

class QString;
class QWidget;
class TableRowWidget;

// The rows of the editing pages, with their facts shown.
namespace VideoRows {
// A slicing or to-GIF row: a VSTableDistItemWT target and the "编辑片段" button. Until an editor is
// confirmed the row stands for the whole file, whole picture: a start then converts all of it
// rather than a piece of no length.
TableRowWidget* makeSegmentRow(const QString& path);
// A row with the given target and no arrow, percentage or action button.
// withFailureLabel: a hidden label that a failed row shows "转换失败！" in.
TableRowWidget* makePlainRow(QWidget* target, const QString& path, bool withFailureLabel = false);
} // namespace VideoRows
