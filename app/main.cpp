#include "app/startup.h"

int main(int argc, char** argv) { return vn::RunGame({argv + (argc > 0 ? 1 : 0), argv + argc}); }
