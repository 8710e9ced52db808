// solver_bench KORF100: solves Korf's 100 boards one after another on one
// thread, checks each length against the published one, then solves them
// again with the solver and with the two plain searches (plain_search.h) as
// yardsticks, ten boards each in turns, so that a change of the machine's
// speed falls on all three; prints the figures as NAME=VALUE lines for run.sh,
// each board's figures with -v.
#include <algorithm>
#include <array>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "bench/solver/plain_search.h"
#include "solver/pattern_tables.h"
#include "solver/solver.h"

namespace {

struct Instance {
    solver::Board board;
    int moves;
};

// Korf's boards have the empty cell first and tile t on cell t: a half turn
// and tile t to 16 - t give the game's goal, with the same lengths.
std::vector<Instance> readKorf(std::istream& in) {
    std::vector<Instance> all;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream words(line);
        int korf[16];
        Instance instance{};
        for (int& tile : korf)
            words >> tile;
        words >> instance.moves;
        if (!words)
            return {};
        for (int i = 0; i < 16; ++i) {
            const int t = korf[15 - i];
            instance.board[std::size_t(i)] = std::uint8_t(t == 0 ? 0 : 16 - t);
        }
        all.push_back(instance);
    }
    return all;
}

double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

long peakResidentKiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmHWM:"))
            return std::stol(line.substr(6));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const bool verbose = argc == 3 && std::string(argv[1]) == "-v";
    if (argc != 2 && !verbose) {
        std::cerr << "usage: solver_bench [-v] KORF100\n";
        return 2;
    }
    std::ifstream file(argv[argc - 1]);
    const std::vector<Instance> instances = readKorf(file);
    if (instances.size() != 100) {
        std::cerr << "solver_bench: cannot read 100 boards from " << argv[argc - 1] << "\n";
        return 2;
    }

    std::vector<double> seconds;
    std::uint64_t nodes = 0;
    int optimal = 0;
    for (std::size_t i = 0; i < instances.size(); ++i) {
        solver::Stats stats;
        const auto moves = solver::solve(instances[i].board, {}, &stats);
        const int length = moves ? int(moves->size()) : -1;
        optimal += length == instances[i].moves;
        if (length != instances[i].moves)
            std::cerr << "instance " << i + 1 << ": " << length << " moves, published "
                      << instances[i].moves << "\n";
        seconds.push_back(std::chrono::duration<double>(stats.time).count());
        nodes += stats.nodes;
        if (verbose)
            std::printf("instance %zu: %d moves, %.3f ms, %llu nodes\n", i + 1, length,
                        seconds.back() * 1e3, static_cast<unsigned long long>(stats.nodes));
    }

    // The solver's own peak, before the yardstick's tables.
    const long peak = peakResidentKiB();

    using Ranking = bench::PlainSearch::Ranking;
    const bench::PlainSearch plain;
    double cpu = 0;
    std::array<double, 2> plainCpu{};
    std::array<std::uint64_t, 2> plainNodes{};
    constexpr std::size_t turn = 10;
    for (std::size_t first = 0; first < instances.size(); first += turn) {
        const std::size_t last = std::min(first + turn, instances.size());
        double started = cpuSeconds();
        for (std::size_t i = first; i < last; ++i)
            solver::solve(instances[i].board, {}, nullptr);
        const double solved = cpuSeconds();
        cpu += solved - started;
        started = solved;
        for (const Ranking ranking : {Ranking::afresh, Ranking::lean}) {
            const auto r = std::size_t(ranking);
            for (std::size_t i = first; i < last; ++i) {
                std::uint64_t n = 0;
                const int length = plain.solve(instances[i].board, n, ranking);
                plainNodes[r] += n;
                if (length != instances[i].moves) {
                    std::cerr << "instance " << i + 1 << ": the plain search took " << length
                              << " moves, published " << instances[i].moves << "\n";
                    optimal = -1;
                }
            }
            const double done = cpuSeconds();
            plainCpu[r] += done - started;
            started = done;
        }
    }

    std::vector<double> sorted = seconds;
    std::sort(sorted.begin(), sorted.end());
    double total = 0;
    for (const double s : seconds)
        total += s;
    std::printf("optimal=%d\n", optimal);
    std::printf("total_s=%.3f\n", total);
    std::printf("median_ms=%.2f\n", (sorted[49] + sorted[50]) / 2 * 1e3);
    std::printf("p90_ms=%.2f\n", sorted[89] * 1e3);
    std::printf("worst_ms=%.1f\n", sorted[99] * 1e3);
    std::printf("nodes=%llu\n", static_cast<unsigned long long>(nodes));
    std::printf("node_rate_M_per_s=%.1f\n", double(nodes) / total / 1e6);
    std::printf("cpu_s=%.3f\n", cpu);
    for (const Ranking ranking : {Ranking::afresh, Ranking::lean}) {
        const auto r = std::size_t(ranking);
        const char* name = ranking == Ranking::afresh ? "afresh" : "lean";
        std::printf("%s_cpu_s=%.3f\n", name, plainCpu[r]);
        std::printf("%s_nodes=%llu\n", name, static_cast<unsigned long long>(plainNodes[r]));
        std::printf("%s_cpu_ratio=%.3f\n", name, cpu / plainCpu[r]);
    }
    std::printf("table_bytes=%zu\n", solver::patternTables().size());
    std::printf("peak_rss_MiB=%.1f\n", double(peak) / 1024);
    return optimal == 100 ? 0 : 1;
}
