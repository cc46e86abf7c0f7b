#pragma once

class QAbstractItemView;
class QLineEdit;

namespace pexor {

// Up, Down, Page Up and Page Down typed in the field move through the list
// below it, so the reader can type and pick without leaving the keyboard's
// place.
void ForwardListKeys(QLineEdit *field, QAbstractItemView *list);

} // namespace pexor
