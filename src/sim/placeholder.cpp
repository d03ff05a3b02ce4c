// The simulated radio's sources live in this folder.
namespace zav::sim {}
