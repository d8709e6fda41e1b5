// The interface object; being written.
