// Quarnel.exe is built without exceptions, yet the C++ library's own helpers still throw: a
// std::string asked to grow past max_size(), an operator new that finds no memory. With nothing
// to catch it, such a throw can only end in std::terminate and abort(); but linking the throwing
// versions brings in the exception classes, a second std::string implementation they are built
// on, and a name demangler for the terminate message nobody sees in a GUI program. These
// replacements end the program the same way, at once.
//
// Linked into Quarnel.exe only: the test programs keep the library's own versions.
#include <cstdlib>
#include <new>
#include <string>

namespace std {

void __throw_bad_exception() { std::abort(); }
void __throw_bad_alloc() { std::abort(); }
void __throw_bad_array_new_length() { std::abort(); }
void __throw_bad_cast() { std::abort(); }
void __throw_bad_typeid() { std::abort(); }
void __throw_logic_error(const char*) { std::abort(); }
void __throw_domain_error(const char*) { std::abort(); }
void __throw_invalid_argument(const char*) { std::abort(); }
void __throw_length_error(const char*) { std::abort(); }
void __throw_out_of_range(const char*) { std::abort(); }
void __throw_out_of_range_fmt(const char*, ...) { std::abort(); }
void __throw_runtime_error(const char*) { std::abort(); }
void __throw_range_error(const char*) { std::abort(); }
void __throw_overflow_error(const char*) { std::abort(); }
void __throw_underflow_error(const char*) { std::abort(); }

}  // namespace std

namespace __gnu_cxx {

// The default handler writes the exception's demangled type name to stderr before it aborts.
void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx

// Nothing installs a new-handler, so out of memory ends the program here rather than through an
// uncaught std::bad_alloc. The library's operator delete is free() as well.
void* operator new(std::size_t size) {
  void* block = std::malloc(size != 0 ? size : 1);
  if (block == nullptr) std::abort();
  return block;
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
