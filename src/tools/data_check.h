// velmora --check-data DIR: every problem a modder can make in a data set,
// each with its file and, for text files, its line.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

enum class Severity { Error, Warning };

struct Finding {
    Severity severity = Severity::Error;
    std::string file;  // relative to the data directory
    int line = 0;      // 0: the file as a whole
    std::string message;
};

struct CheckReport {
    std::vector<Finding> findings;
    int errors() const;
    int warnings() const;
};

// Checks the data directory `root`. Never changes the current directory.
CheckReport check_data(const std::string& root);

// "file:line: error: message" (no line part for whole files).
std::string format_finding(const Finding& finding);

// Runs the check and prints every finding and a summary to `out`. Returns the
// exit status: 0 without errors, 1 with errors.
int run_check_data(const std::string& root, std::FILE* out);
