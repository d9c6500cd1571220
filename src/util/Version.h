#pragma once

#include <QString>

// The program's version, as the build names it (the project's version in CMakeLists.txt).
QString programVersion();
