#pragma once

#include <rtl/ustring.hxx>

namespace pw::word::lo {

// A table cell's name: column letters, then the row number ("B12"). The cells of a split row
// have longer names ("A1.1.2"), which are not plain. Row and column count from 0.
struct CellName {
    int row = -1;
    int column = -1;
    bool plain = false;
};

inline CellName parseCellName(const rtl::OUString& name) {
    CellName cell;
    sal_Int32 i = 0;
    int column = 0, row = 0;
    for (; i < name.getLength() &&
           ((name[i] >= 'A' && name[i] <= 'Z') || (name[i] >= 'a' && name[i] <= 'z'));
         ++i)
        column = column * 52 + (name[i] >= 'a' ? name[i] - 'a' + 26 : name[i] - 'A') + 1;
    const sal_Int32 digits = i;
    for (; i < name.getLength() && name[i] >= '0' && name[i] <= '9'; ++i)
        row = row * 10 + (name[i] - '0');
    cell.row = row - 1;
    cell.column = column - 1;
    cell.plain = i > digits && i == name.getLength();
    return cell;
}

}  // namespace pw::word::lo
