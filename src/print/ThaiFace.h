#pragma once

// The Thai face the program's interface is set in, so that reports on paper and charts read in
// the same letters as the windows.

#include <QString>

namespace print {

// The first of the faces the interface prefers that the workstation has (Tahoma, Leelawadee UI,
// then the TLWG faces); else any face that covers Thai; empty when there is none.
QString interfaceThaiFace();

} // namespace print
