#pragma once

#include <ostream>

namespace sonorelle::test {

// Table rows print as their name: in failure messages, and in the test list that
// ctest reads, where a dump of the row's bytes would change the names every run.
// A test file brings it in with `using test::PrintTo;` beside its rows.
template <typename Row>
    requires requires(const Row& row) { row.name; }
void PrintTo(const Row& row, std::ostream* out)
{
    *out << row.name;
}

}  // namespace sonorelle::test
