// omrix-print-export: the print run without windows.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    CLI::App app{"Exports the documents of one estimate version without windows"};
    std::string bukken;
    std::string han;
    app.add_option("--bukken", bukken, "project number (物件No)")->required();
    app.add_option("--han", han, "version number (版No)")->required();
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? 0 : 2;
    }
    std::printf("project %s version %s\n", bukken.c_str(), han.c_str());
    return 0;
}
