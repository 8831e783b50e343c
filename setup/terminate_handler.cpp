// What std::terminate does in this program. The toolchain's default handler demangles the type of
// the exception and prints it to a console that a GUI program does not have, and brings a
// demangler of some 45 KB into the executable for it. Every window, timer and thread callback
// catches and reports errors itself, so reaching terminate is a fault: end the process at once.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() {
    std::abort();
}

} // namespace __gnu_cxx
