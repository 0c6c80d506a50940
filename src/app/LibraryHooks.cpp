// Replacements for a few of libstdc++'s internal hooks in Tandrel.exe, to keep
// large parts of the library that a GUI program has no use for out of the
// statically linked executable. Behaviour seen by the program stays the same.
#include <cstdarg>
#include <cstddef>
#include <cstdlib>
#include <exception>
#include <new>
#include <string>

#if defined(__GLIBCXX__)
// The default terminate handler prints the active exception's demangled type
// to stderr, which a GUI program does not have; replacing it keeps the 45 KB
// demangler out. Termination still aborts.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

// The containers and strings report misuse through these functions. The
// library's own versions throw std::length_error and its kin, whose message
// lives in a second, reference-counted string class with its own copy of
// every string function (about 30 KB). These throw an error of the same
// message that the program catches, as it catches every library error, as a
// std::exception; nothing in the program names the specific classes.
namespace {

class LibraryError : public std::exception {
 public:
  explicit LibraryError(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

// The library's messages use only %s, %zu and %%.
std::string FormatMessage(const char* format, std::va_list args) {
  std::string text;
  for (const char* p = format; *p != '\0'; ++p) {
    if (*p != '%') {
      text.push_back(*p);
    } else if (p[1] == 's') {
      text += va_arg(args, const char*);
      ++p;
    } else if (p[1] == 'z' && p[2] == 'u') {
      text += std::to_string(va_arg(args, std::size_t));
      p += 2;
    } else if (p[1] == '%') {
      text.push_back('%');
      ++p;
    } else {
      text.push_back('%');
    }
  }
  return text;
}

}  // namespace

namespace std {
void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_logic_error(const char* message) { throw LibraryError(message); }
void __throw_length_error(const char* message) { throw LibraryError(message); }
void __throw_out_of_range_fmt(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  std::string message = FormatMessage(format, args);
  va_end(args);
  throw LibraryError(std::move(message));
}
}  // namespace std
#endif
