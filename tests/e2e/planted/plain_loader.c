/* Loads each DLL named on the command line the ordinary way, LoadLibraryW
   with the default search order (the executable's folder first): what any
   program does that takes no care where its DLLs come from. */
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
  for (int i = 1; i < argc; ++i) LoadLibraryW(argv[i]);
  return 0;
}
