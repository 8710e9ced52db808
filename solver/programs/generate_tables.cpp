// tembira-tables OUTPUT: computes the pattern databases of every tile group
// and writes them to OUTPUT, two 2-bit entries a placement (with the empty
// cell walled in by the group's tiles, and anywhere else): half of what the
// group's tiles need beyond their Manhattan distance, at most 3. Runs during
// the build.
#include <filesystem>
#include <fstream>
#include <iostream>

#include "solver/table_builder.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: tembira-tables OUTPUT\n";
        return 2;
    }
    const std::vector<std::uint8_t> tables = solver::computePatternTables();

    // Written aside and renamed, so that a stopped build leaves no partial file.
    const std::filesystem::path output = argv[1];
    const std::filesystem::path partial = output.string() + ".partial";
    std::ofstream file(partial, std::ios::binary);
    file.write(reinterpret_cast<const char*>(tables.data()), std::streamsize(tables.size()));
    file.close();
    std::error_code error;
    if (!file || (std::filesystem::rename(partial, output, error), error)) {
        std::cerr << "tembira-tables: cannot write " << output << "\n";
        return 1;
    }
    return 0;
}
