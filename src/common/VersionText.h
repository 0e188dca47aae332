#pragma once
#include <QString>

// The program's version in the layouts the service expects:
// 0 "major.minor.release.build", 1 majorminorrelease, 2 "major.minor" + release,
// 3 "major.minor.release".
QString GetVersionText(int layout);
