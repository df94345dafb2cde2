// The rows a parallel update draws on a console: one per running printer,
// its label (name and port) in a column as wide as the longest, then what
// its process last showed.
#pragma once
#include <string>
#include <vector>

namespace qmqn {

class MultiProgress {
 public:
  void add(int id, std::string label);
  void show(int id, std::string text);
  void remove(int id);
  bool empty() const { return rows_.empty(); }
  // The rows in the order their printers started, joined by line ends.
  std::string block() const;

 private:
  struct Row {
    int id;
    std::string label;
    std::string text;
  };
  std::vector<Row> rows_;
};

}  // namespace qmqn
