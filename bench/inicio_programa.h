// Start-up as the user sees it: the built program is started from a folder
// holding its conf/db.conf, and the time runs until its login window is
// mapped on the display.
#ifndef ZUMBREL_BENCH_INICIO_PROGRAMA_H
#define ZUMBREL_BENCH_INICIO_PROGRAMA_H

#include <string>

namespace bench {

// Milliseconds from fork until the window titled "Acesso ao Sistema" is
// viewable; the program is then ended. Negative when it never showed up.
double medir_inicio(const std::string& programa, const std::string& pasta, const std::string& saida);

} // namespace bench

#endif // ZUMBREL_BENCH_INICIO_PROGRAMA_H
