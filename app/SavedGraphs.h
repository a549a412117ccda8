// Opening saved graphs: one graph window per chosen name, titled with the name and showing the
// saved graph in its saved views. A name the store does not hold (deleted or renamed meanwhile)
// opens no window at all, rather than an empty one.
#pragma once
#include <string>
#include <vector>

class CVTGraphDataStorage;

namespace vt_app {

// The number of windows opened. Windows come from the graph template of the installed graph
// window host; without a host or a store nothing opens.
int OpenSavedGraphs(CVTGraphDataStorage* graphs, const std::vector<std::string>& names);

}  // namespace vt_app
