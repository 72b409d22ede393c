# Sources of the Widgets part of the toolkit.
