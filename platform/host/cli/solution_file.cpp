#include "platform/host/cli/solution_file.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "platform/host/model/host_model.h"
#include "platform/host/model/model_reader.h"

namespace corvane::host {

namespace {

using Json = nlohmann::ordered_json;

Json columnsOf(const HostModel& host) {
    const LinearModel& model = host.model();
    Json columns = Json::array();
    for (int j = 0; j < model.numCols(); ++j)
        columns.push_back({{"name", std::string(model.colNames[j])},
                           {"value", host.values()[j]},
                           {"reduced_cost", host.reducedCosts()[j]},
                           {"basis", host.columnBasis()[j]}});
    return columns;
}

Json rowsOf(HostModel& host) {
    const LinearModel& model = host.model();
    const std::vector<double>& activities = host.rowActivities();
    Json rows = Json::array();
    for (int r = 0; r < model.numRows(); ++r)
        rows.push_back({{"name", std::string(model.rowNames[r])},
                        {"activity", activities[r]},
                        {"dual", host.rowDual(r)},
                        {"basis", host.rowBasis(r)}});
    return rows;
}

// Column index by name for a start file whose columns are not in the model's order.
class ColumnIndex {
  public:
    explicit ColumnIndex(const LinearModel& model) : model_(model) {}
    int find(std::string_view name) {
        if (order_.empty()) build();
        const auto found = std::lower_bound(
            order_.begin(), order_.end(), name,
            [this](int j, std::string_view key) { return model_.colNames[j] < key; });
        return found != order_.end() && model_.colNames[*found] == name ? *found : -1;
    }

  private:
    void build() {
        order_.resize(model_.numCols());
        for (int j = 0; j < model_.numCols(); ++j) order_[j] = j;
        std::sort(order_.begin(), order_.end(),
                  [this](int a, int b) { return model_.colNames[a] < model_.colNames[b]; });
    }
    const LinearModel& model_;
    std::vector<int> order_;
};

Json parseStartFile(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw ModelError("cannot open the start file " + path);
    Json document = Json::parse(in, nullptr, false);
    if (document.is_discarded() || !document.is_object() || !document.contains("columns") ||
        !document["columns"].is_array())
        throw ModelError(path + " is not a solution file (no \"columns\" list)");
    return document;
}

}  // namespace

void writeSolutionFile(const std::string& path, HostModel& host, const SolutionHeader& header) {
    Json document;
    document["status"] = header.status;
    document["result_code"] = header.resultCode;
    document["objective"] = header.objective ? Json(*header.objective) : Json(nullptr);
    document["iterations"] = header.iterations;
    document["solve_done"] = header.solveDone;
    document["interrupted"] = header.interrupted;
    document["time_limit"] = header.timeLimit;
    if (header.droppedRestrictions > 0)
        document["dropped_restrictions"] = header.droppedRestrictions;
    document["model"] = host.model().name;
    document["columns"] = columnsOf(host);
    document["rows"] = rowsOf(host);

    const std::string temporary = path + ".part";
    {
        std::ofstream out(temporary, std::ios::trunc);
        out << document.dump(1) << '\n';
        out.close();
        if (!out) {
            std::remove(temporary.c_str());
            throw std::runtime_error("cannot write the solution file " + path);
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        throw std::runtime_error("cannot write the solution file " + path);
    }
}

void applyStartFile(const std::string& path, HostModel& host) {
    const Json document = parseStartFile(path);
    const LinearModel& model = host.model();
    ColumnIndex index(model);
    int position = 0;
    for (const Json& column : document["columns"]) {
        if (!column.is_object() || !column.contains("name") || !column["name"].is_string() ||
            !column.contains("value") || !column["value"].is_number())
            throw ModelError(path + ": every column needs a \"name\" and a numeric \"value\"");
        const std::string& name = column["name"].get_ref<const std::string&>();
        int j = position < model.numCols() && model.colNames[position] == name ? position
                                                                               : index.find(name);
        if (j < 0) throw ModelError(path + " names the column " + name + ", which the model lacks");
        host.values()[j] = column["value"].get<double>();
        ++position;
    }
}

}  // namespace corvane::host
