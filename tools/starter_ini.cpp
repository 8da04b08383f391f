// Writes the starter kelvorn_loader.ini of the download: the program's own writer with the
// editor's folder and name left to fill in and no rows, so the user starts from exactly
// what Edit > Loader's ini would write.
//   starter_ini FILE
#include <cstdio>

#include "loadercfg/loader_settings.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
        return 2;
    }
    if (!WriteLoaderSettings(LoaderSettings{}, argv[1])) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
