// Placeholder so the library has a source until the compiler is written.
namespace vn {}
