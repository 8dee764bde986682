#pragma once

class QApplication;

namespace fractions {

class TForm1;

// The desktop's log-out (Qt's commit-data request), SIGTERM and SIGHUP close
// `form` as the teacher's own close would: settings and place saved, the
// preview's files removed. The signals reach the event loop through a pipe
// written by the signal handler, which calls nothing else. Install once,
// after the window exists.
void CloseOnSessionEnd(QApplication& app, TForm1& form);

}  // namespace fractions
