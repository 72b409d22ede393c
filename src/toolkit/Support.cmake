# Sources of the Support part of the toolkit.
