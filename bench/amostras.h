// The samples of each workload of the benchmark, in the order the workloads
// were first met. The windows are driven by the window tests' driver
// (roteiro/roteiro.h), whose measures land here.
#ifndef ZUMBREL_BENCH_AMOSTRAS_H
#define ZUMBREL_BENCH_AMOSTRAS_H

#include <map>
#include <string>
#include <vector>

namespace bench {

class Amostras
{
public:
    // Keeps one sample and writes it to standard error as progress.
    void juntar(const std::string& nome, double ms);
    const std::vector<double>& de(const std::string& nome) const;
    const std::vector<std::string>& nomes() const { return ordem_; }
    // The sum of the samples of a workload so far.
    double total(const std::string& nome) const;

private:
    std::map<std::string, std::vector<double>> valores_;
    std::vector<std::string> ordem_;
};

} // namespace bench

#endif // ZUMBREL_BENCH_AMOSTRAS_H
