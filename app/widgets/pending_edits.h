#pragma once

class QWidget;

namespace zef {

class Dataset;

// Writes what the user keyed and has not yet left (an edit with the focus, an open grid cell)
// into the dataset, as a window does before it stores or moves. With `dataset` given, only
// the controls bound to it. False when a value was refused; the control keeps it for correction.
bool commitPendingEdits(QWidget *root, Dataset *dataset = nullptr);

} // namespace zef
