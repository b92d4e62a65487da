#include "app/app.hpp"

int main(int argc, char** argv) { return pelorin::runPelorin(argc, argv); }
