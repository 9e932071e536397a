"""Builds the simulator's pictures, icons, cursors and sounds from text sources."""
