#include "games/uGameVariants.h"
#include "perft/mpi/uMpiPerftCoordinator.h"
#include "perft/mpi/uMpiPerftWorker.h"

#include <mpi.h>
#include <string>
#include <vector>

// The distributed perft program: rank 0 coordinates and counts, every other rank counts.
int main(int argc, char** argv) {
    // Only the main thread of each process talks MPI; the counting threads never do.
    int provided = 0;
    if (MPI_Init_thread(&argc, &argv, MPI_THREAD_FUNNELED, &provided) != MPI_SUCCESS)
        return 1;
    RegisterGameVariants(GameVariants());
    int rank = 0;
    int size = 1;
    MPI_Comm_rank(MPI_COMM_WORLD, &rank);
    MPI_Comm_size(MPI_COMM_WORLD, &size);
    int exitCode = 0;
    if (rank == 0)
        exitCode = RunPerftCoordinator(std::vector<std::string>(argv + 1, argv + argc), size);
    else
        exitCode = RunPerftWorker(rank);
    MPI_Finalize();
    return exitCode;
}
