// The engine's objects.
